#include "host_document.h"

IMPLEMENT_DYNCREATE(HostDocument, CDocument)
