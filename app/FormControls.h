// The small window controls that Qt has no exact match for: a label that
// draws with the accelerator rule and sizes itself to its text, and a
// picture that can be drawn transparent.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace kalmo {

// "R&D" shows RD with the D underlined; "&&" shows one "&". With AutoSize
// the label takes the size of its text on one line and is cut off by its
// window's edge when longer.
class TLabel : public QWidget {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The caption as it reads on screen, accelerator marks removed.
    QString ShownText() const;
    // Position of the underlined character in ShownText(), or -1.
    int UnderlinedIndex() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToText();

    QString caption_;
    bool autoSize_ = true;
};

// A picture drawn at its natural size from the top-left corner. A
// transparent picture leaves out every pixel of its bottom-left pixel's colour.
class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);

    // A resource path such as ":/LOGO"; a missing picture leaves the control empty.
    void LoadPicture(const QString& path);
    const QPixmap& Picture() const { return picture_; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyTransparency();

    QPixmap source_;
    QPixmap picture_;
    bool transparent_ = false;
};

} // namespace kalmo
