// Marks over the characters of a rich box: stretches shown in their own
// character format (colour, underline), painted over the box's text instead
// of being stored in its document. Storing them would lay a box of 100 000
// characters on one line out anew (a tenth of a second and more); painting
// costs only the visible part.
//
// Marks stay on their characters while the text is edited around them; text
// typed into a marked stretch is not marked, and replacing the whole text
// removes every mark. Selected text shows as selected. GUI thread only.
#pragma once

#include <QTextCharFormat>
#include <QWidget>

#include <vector>

class QTextEdit;

namespace tulvarine::platform {

class BoxMarks : public QWidget {
public:
    struct Stretch {
        int start = 0;   // position in the box's text, as a text cursor counts
        int length = 0;  // characters
        int format = 0;  // index into the formats given with the stretches
    };

    // Lies over the box's viewport, lets every mouse and drop event through, and
    // lives as long as the box.
    explicit BoxMarks(QTextEdit* box);

    // Replaces every mark. Stretches are ordered by start and do not overlap.
    void SetMarks(std::vector<Stretch> stretches, std::vector<QTextCharFormat> formats);
    void Clear();

    const std::vector<Stretch>& Stretches() const { return stretches_; }
    // The format of the mark on the character at position, or null.
    const QTextCharFormat* FormatAt(int position) const;

    // The marks of box, made on first use.
    static BoxMarks& Of(QTextEdit* box);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnContentsChange(int position, int removed, int added);

    QTextEdit* box_;
    // Kept apart from the box: its events still come while the box is being
    // destroyed, when the box may no longer be asked for it.
    QWidget* viewport_;
    std::vector<Stretch> stretches_;
    std::vector<QTextCharFormat> formats_;
};

}  // namespace tulvarine::platform
