// The scheduler object's sink for its task collection's events: a change of
// the list becomes StatusChange(4) for the engine's clients.
//
// A separate small object rather than the scheduler itself: the collection
// keeps a reference on every sink it is given, and the collection lives
// inside the scheduler, so the scheduler as its own sink could never reach
// its final release. The sink's pointer back to the scheduler holds no
// reference; the scheduler clears it (Detach) before it goes. An event can't
// arrive after that, since only a caller that holds the scheduler can change
// its collection.
#pragma once

#include <oaidl.h>

#include "platform/com/critical_section.h"
#include "platform/com/object.h"

class TaskListObserver {
public:
    virtual void OnTaskListDataChanged() = 0;

protected:
    ~TaskListObserver() = default;
};

class CTaskListEventSink : public tvx::com::ComClass<CTaskListEventSink>, public IDispatch {
public:
    static tvx::com::InterfaceTable Interfaces();

    void Attach(TaskListObserver* observer);
    void Detach();

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    tvx::com::CriticalSection lock_;
    TaskListObserver* observer_ = nullptr;
};
