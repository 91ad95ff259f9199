// The opaque iteration position of the framework's lists.
#pragma once

struct CListPosition;
typedef CListPosition* POSITION;
