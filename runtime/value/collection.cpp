#include "collection.h"

#include "runtime_error.h"

namespace glyphmill {

void Collection::Add(Value item) {
    m_items.push_back(std::move(item));
}

std::int32_t Collection::Count() const {
    return static_cast<std::int32_t>(m_items.size());
}

const Value &Collection::Item(std::int32_t index) const {
    if (index < 1 || index > Count())
        throw RuntimeError::invalidCall("Invalid procedure call or argument");
    return m_items[static_cast<std::size_t>(index - 1)];
}

} // namespace glyphmill
