#pragma once

#include "runtime/forms/form.h"

#include <map>
#include <memory>
#include <typeindex>

namespace glyphmill {

// One default instance per form class, created on first reference.
class DefaultInstances {
  public:
    template <typename F> static F &get() {
        std::unique_ptr<Form> &slot = instances()[std::type_index(typeid(F))];
        if (!slot)
            slot = std::make_unique<F>();
        return static_cast<F &>(*slot);
    }
    // Destroys every instance and its window (at program end, between tests).
    static void clear();

  private:
    static std::map<std::type_index, std::unique_ptr<Form>> &instances();
};

template <typename F> F &defaultInstance() {
    return DefaultInstances::get<F>();
}

} // namespace glyphmill
