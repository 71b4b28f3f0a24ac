// A core file that reaches for an adapter's header: the build must refuse it.
#include "app/net/qt_http_transfer.h"
