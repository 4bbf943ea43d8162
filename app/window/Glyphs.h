#pragma once

#include <QIcon>
#include <QList>

namespace qor::app {

// The image list iml_1: the toolbar's 24x24 glyphs, drawn by the program.
// Index 0 reports, 1 sale, 2 exit, 3 replenishment, 4 withdrawal, 5 operators.
class Glyphs {
public:
    static constexpr int kSize = 24;
    static QIcon glyph(int index);
};

} // namespace qor::app
