#include "link/operation_kind.h"

namespace r605 {

bool isTransferKind(OperationKind kind) {
    const int value = static_cast<int>(kind);
    return value >= 1 && value <= 9;
}

bool usesPasses(OperationKind kind) {
    return kind == OperationKind::ReadCodeplug || kind == OperationKind::WriteCodeplug ||
           kind == OperationKind::ReadRadioInfo || kind == OperationKind::ReadBack;
}

bool progressShown(OperationKind kind, int pass) {
    switch (kind) {
    case OperationKind::ReadCodeplug:
        return pass == 2 || pass == 1;
    case OperationKind::WriteCodeplug:
    case OperationKind::ReadBack:
        return pass == 1;
    default:
        return false;
    }
}

std::optional<TextKey> FinishMessage(OperationKind kind, bool success) {
    switch (kind) {
    case OperationKind::ReadCodeplug:
    case OperationKind::RecordingList:
    case OperationKind::RecordingRead:
    case OperationKind::ReadBootImage:
        return success ? TextKey{2004, Section::Other} : TextKey{2006, Section::Other};
    case OperationKind::WriteCodeplug:
    case OperationKind::WriteBootImage:
        return success ? TextKey{2005, Section::Other} : TextKey{2007, Section::Other};
    case OperationKind::ReadRadioInfo:
        // On success the radio-information view shows what was read.
        if (success)
            return std::nullopt;
        return TextKey{2008, Section::Other};
    case OperationKind::ReadBack:
        // The caller reports the comparison; a failed read-back is a failed read.
        if (success)
            return std::nullopt;
        return TextKey{2006, Section::Other};
    default:
        return std::nullopt;
    }
}

} // namespace r605
