// HostMdiView: the pane of a document window of the MDI frame. It shows its
// document's title and answers the host's ping, so that a case can see to
// which document window's view a command went.
#pragma once

#include "platform/ui/view.h"

class HostMdiView : public CView {
    DECLARE_DYNCREATE(HostMdiView)
public:
    void OnDraw(CDC* pDC) override;
    // How often ID_WTKHOST_PING arrived.
    int Pings() const { return m_pings; }

protected:
    void OnPing();

    DECLARE_MESSAGE_MAP()

private:
    int m_pings = 0;
};
