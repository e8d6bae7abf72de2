#pragma once
// The radio's dealer and maintenance record (serial number, dates, description). Its place in
// the radio's memory is not known; it lives in the codeplug and its files.

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

struct EmbeddedInfoRec {
    std::string SerialNumber;    // 16
    std::string ProductionDate;  // 16
    std::string MaintenanceDate; // 16
    std::string StockDate;       // 16
    std::string SellDate;        // 16
    std::string Code;            // 8: month and "-1-E-1" in a new codeplug
    std::string Description;     // 80
    std::string Extra1;          // 16
    std::string Extra2;          // 16
    std::int32_t Counter = 0;
    std::string Model; // 8
    std::string Note;  // 16

    bool operator==(const EmbeddedInfoRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::text("SerialNumber", 16), r.SerialNumber);
        visit(Field::text("ProductionDate", 16), r.ProductionDate);
        visit(Field::text("MaintenanceDate", 16), r.MaintenanceDate);
        visit(Field::text("StockDate", 16), r.StockDate);
        visit(Field::text("SellDate", 16), r.SellDate);
        visit(Field::text("Code", 8), r.Code);
        visit(Field::text("Description", 80), r.Description);
        visit(Field::text("Extra1", 16), r.Extra1);
        visit(Field::text("Extra2", 16), r.Extra2);
        visit(Field::any("Counter"), r.Counter);
        visit(Field::text("Model", 8), r.Model);
        visit(Field::text("Note", 16), r.Note);
    }
};

} // namespace r605
