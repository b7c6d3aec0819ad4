#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static bool registerResources() {
    Q_INIT_RESOURCE(resources);
    return true;
}

namespace cal {

void initResources() {
    static const bool done = registerResources();
    Q_UNUSED(done);
}

}  // namespace cal
