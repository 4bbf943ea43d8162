#include "cash/session/GravaOuDesiste.h"

#include "data/local/DataSet.h"

namespace qor::cash {

void gravaOuDesiste(data::DataSet& ds)
{
    try {
        ds.post();
    } catch (...) {
        ds.cancel();
        throw;
    }
}

} // namespace qor::cash
