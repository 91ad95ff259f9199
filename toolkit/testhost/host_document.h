// HostDocument: the SDI frame's document; the host keeps nothing in it.
#pragma once

#include "platform/ui/document.h"

class HostDocument : public CDocument {
    DECLARE_DYNCREATE(HostDocument)
};
