#pragma once

#include <QString>

// The few registry values the program reads, answered from the running platform: under
// the current user's "Control Panel\Desktop\WindowMetrics", "ScrollHeight" is the
// style's scroll-bar extent as text in negative twips ("-210" for 14 pixels).
namespace platform::registry {

enum class Hive { CurrentUser };

// The text of the named value of the key. Key paths are matched without regard to case,
// value names exactly. Empty when the key or the value does not exist.
QString ReadString(Hive hive, const QString& key, const QString& name);

} // namespace platform::registry
