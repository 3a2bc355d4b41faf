#include "runtime/forms/default_instances.h"

namespace glyphmill {

std::map<std::type_index, std::unique_ptr<Form>> &DefaultInstances::instances() {
    // Never destroyed: an exit() from inside Qt (the X connection breaking)
    // runs the destructors of objects with static storage after Qt has
    // already torn down its own, so a form destroyed there would close its
    // window into a half-dismantled Qt. The forms go in clear(), which the
    // program calls on every way out that returns.
    static auto *all = new std::map<std::type_index, std::unique_ptr<Form>>;
    return *all;
}

void DefaultInstances::clear() {
    instances().clear();
}

} // namespace glyphmill
