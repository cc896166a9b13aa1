#include "DeviceContext.h"

namespace platform {

DeviceContext::DeviceContext(QImage* surface, std::function<void(const QRect&)> changed)
    : surface_(surface), changed_(std::move(changed)) {}

void DeviceContext::Changed(const QRect& area) const {
    if (changed_ && !area.isEmpty())
        changed_(area);
}

} // namespace platform
