// The radio ID list (list type 1): the IDs with which the radio transmits, by number and name.
#include "lists/record_rows.h"

namespace r605 {

std::unique_ptr<ListFamily> MakeRadioIdRows(const ListContext& context) {
    return std::make_unique<RecordRows<Family::Person>>(ListType::RadioIds, context);
}

} // namespace r605
