#include "MainWindowLink.h"

MainWindowLink& MainWindowLink::Current() {
    static MainWindowLink link;
    return link;
}
