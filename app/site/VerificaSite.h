#pragma once

#include <QStringList>

namespace qor::app {

class MessageBoxes;

// What a start needs from the site and does not find: the folders of the
// local tables, their data files and, in a data file that is there, the
// tables missing or made by the earlier version, each named with its path.
// Empty when the site has been set up. Creates nothing.
QStringList faltasDoSite();

// Before anything opens a table: on a site that has not been set up, shows
// one message naming what is missing and how to set the site up, and
// returns false; the program then ends without touching the suite root.
bool verificaSite(MessageBoxes& boxes);

} // namespace qor::app
