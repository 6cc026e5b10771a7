#include "ui/ProblemLabel.h"

#include <optional>
#include <string>

#include "engine/naming/PatternRule.h"
#include "ui/DisplayText.h"
#include "ui/ReadableColor.h"

namespace nameshift::ui {

ProblemLabel::ProblemLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    // Red as far as it reads on the window's background, in a dark theme too.
    const QColor red = readableColor(QColor(Qt::red), palette().color(QPalette::Window));
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, red);
    setPalette(colours);
    hide();
}

void ProblemLabel::showProblem(const QString& problem) {
    setText(problem);
    setVisible(!problem.isEmpty());
}

void ProblemLabel::checkPattern(bool used, const QString& pattern, bool matchCase,
                                const QString* replacement) {
    if (!used) {
        showProblem({});
        return;
    }
    std::optional<std::string> problem = engine::patternProblem(bytesOf(pattern), matchCase);
    if (!problem && replacement != nullptr) {
        problem = engine::replacementProblem(bytesOf(pattern), bytesOf(*replacement), matchCase);
    }
    showProblem(problem ? displayText(*problem) : QString());
}

}  // namespace nameshift::ui
