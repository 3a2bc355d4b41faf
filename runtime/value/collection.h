#pragma once

#include "value.h"

#include <cstdint>
#include <vector>

namespace glyphmill {

// An ordered collection of values, addressed from 1.
class Collection {
  public:
    // Appends at the end.
    void Add(Value item);
    std::int32_t Count() const;
    // The item at a 1-based index; any other index raises error 5.
    const Value &Item(std::int32_t index) const;

  private:
    std::vector<Value> m_items;
};

} // namespace glyphmill
