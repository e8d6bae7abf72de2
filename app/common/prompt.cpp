#include "common/prompt.h"

namespace r605 {

void Prompt::tell(const QString& text, PromptIcon icon, std::function<void()> done) {
    ask(PromptMessage{text, PromptButtons::Ok, icon, {}}, [done = std::move(done)](PromptAnswer) {
        if (done)
            done();
    });
}

} // namespace r605
