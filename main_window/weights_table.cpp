#include "main_window/weights_table.h"

namespace glyphmill {

Value makeWeightsTable() {
    Value table = Value::array(9);
    table[0] = Value(u"");
    const char16_t *weights[] = {u"128", u"64", u"32", u"16", u"8", u"4", u"2", u"1"};
    for (std::size_t i = 1; i <= 8; ++i)
        table[i] = Value(weights[i - 1]);
    return table;
}

} // namespace glyphmill
