#include "default_instances.h"

namespace glyphmill {

std::map<std::type_index, std::unique_ptr<Form>> &DefaultInstances::instances() {
    static std::map<std::type_index, std::unique_ptr<Form>> all;
    return all;
}

void DefaultInstances::clear() {
    instances().clear();
}

} // namespace glyphmill
