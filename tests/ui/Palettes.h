#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

// Desktop colour schemes the program must stay readable on, and the contrast the guidelines for
// accessible colours measure, worked out here apart from the program's own.
namespace nameshift::testing {

inline double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

inline double contrast(const QColor& a, const QColor& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

inline QPalette themeDark() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
    return dark;
}

// The "darker" colour scheme of the qt6ct platform theme, as the dark screenshot shows it: its
// links (#0986d3 on #3d3d3d) read at 2.8:1 as they are.
inline QPalette darkerScheme() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    dark.setColor(QPalette::AlternateBase, QColor(0x5c, 0x5b, 0x5a));
    dark.setColor(QPalette::Text, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
    dark.setColor(QPalette::ButtonText, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
    dark.setColor(QPalette::HighlightedText, QColor(0xf9, 0xf9, 0xf9));
    dark.setColor(QPalette::Link, QColor(0x09, 0x86, 0xd3));
    dark.setColor(QPalette::LinkVisited, QColor(0xa7, 0x0b, 0x06));
    return dark;
}

inline QPalette styleLight() {
    return QApplication::style()->standardPalette();
}

// A light theme whose links are pale.
inline QPalette lightWithPaleLinks() {
    QPalette light = QApplication::style()->standardPalette();
    light.setColor(QPalette::Link, QColor(0x66, 0xb3, 0xff));
    light.setColor(QPalette::LinkVisited, QColor(0xd9, 0xa0, 0xff));
    return light;
}

struct PaletteCase {
    const char* name;
    QPalette (*make)();

    friend void PrintTo(const PaletteCase& c, std::ostream* out) { *out << c.name; }
};

inline std::string paletteName(const ::testing::TestParamInfo<PaletteCase>& param) {
    return param.param.name;
}

}  // namespace nameshift::testing
