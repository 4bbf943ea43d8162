#pragma once

namespace qor::demo {

// Fills the local tables of the suite root (QUELVORA_ROOT) with a small
// demonstration set: operators, stores, payment forms, the system and local
// parameters, the retention setting, one workstation and the order-database
// server row (empty address: the database file is opened in-process).
// Tables that already hold rows are left as they are. The site must have
// been set up (its tables exist).
void seedDemoTables();

} // namespace qor::demo
