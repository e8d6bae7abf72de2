#pragma once
// A change made to a document as one edit, for tests that bring a document into some state.

#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>

namespace r605::test {

// `change` applied to the document as one edit of `kind`; a refused edit fails the test.
inline Result<ChangeSet> edit(Document& document, const std::function<void(Codeplug&)>& change,
                              EditKind kind = EditKind::Other) {
    auto changes = document.apply(kind, [&change](Codeplug& codeplug) {
        change(codeplug);
        return Status::success();
    });
    EXPECT_TRUE(changes.ok());
    return changes;
}

// The same when the change set is of no further use.
inline void change(Document& document, const std::function<void(Codeplug&)>& change,
                   EditKind kind = EditKind::Other) {
    (void)edit(document, change, kind);
}

} // namespace r605::test
