// The quick texts (list type 6): the prepared text messages of the radio (the third text
// message table), one text per row.
#include "lists/record_rows.h"

namespace r605 {

std::unique_ptr<ListFamily> MakeQuickTextRows(const ListContext& context) {
    return std::make_unique<RecordRows<Family::TextMessage3>>(ListType::QuickTexts, context);
}

} // namespace r605
