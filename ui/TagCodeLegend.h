#pragma once

#include <QGroupBox>
#include <QWidget>

#include <string>
#include <string_view>

namespace nameshift::ui {

// What a format gives for the example tag: every code replaced by its example value.
std::string exampleTagResult(std::string_view format);

// The tag naming options' legend of the codes a format may hold, three to a column: the frames
// ID3Opts.ini names, then the later tags and the dates. Its texts are the dialog's, and keep
// their place in its catalogue.
class TagCodeLegend : public QGroupBox {
public:
    explicit TagCodeLegend(QWidget* parent);
};

}  // namespace nameshift::ui
