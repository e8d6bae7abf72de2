// The phone book (list type 4): telephone numbers dialled through a DTMF interconnect, each with
// a name.
#include "lists/record_rows.h"

namespace r605 {

std::unique_ptr<ListFamily> MakePhoneBookRows(const ListContext& context) {
    return std::make_unique<RecordRows<Family::PhoneBook>>(ListType::PhoneBook, context);
}

} // namespace r605
