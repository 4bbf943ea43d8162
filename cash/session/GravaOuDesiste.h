#pragma once

namespace qor::data {
class DataSet;
}

namespace qor::cash {

// Posts the row being edited; when the post fails, drops the change and
// raises the error. A refused change must not stay pending, to be posted
// by whatever moves the table next (a closing date stored after the till
// was reported open, say).
void gravaOuDesiste(data::DataSet& ds);

} // namespace qor::cash
