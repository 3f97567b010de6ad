// The small window controls that Qt has no exact match for: a label that
// draws with the accelerator rule and sizes itself to its text, and a
// picture that can be drawn transparent.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <optional>

namespace kalmo {

// "R&D" shows RD with the D underlined; "&&" shows one "&" (unless
// ShowAccelChar is off: then the caption shows as it is). With AutoSize the
// label takes the size of its text on one line and is cut off by its
// window's edge when longer; a label given a MaxWidth instead ends a longer
// text in "…" and shows all of it in its tooltip. It draws its caption
// itself; it is a QLabel only so that the control it is the caption of
// (FocusControl, Qt's buddy) finds it as its label, as assistive technology
// asks.
class TLabel : public QLabel {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);

    void SetFocusControl(QWidget* control) { setBuddy(control); }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    // 0: no limit.
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width);

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
    int textFlags() const;
    // The caption as drawn: shortened with "…" when it is wider than MaxWidth.
    QString drawnCaption() const;

    QString caption_;
    // The size of the caption as last measured; a font or text change forgets it.
    mutable std::optional<QSize> measured_;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
    int maxWidth_ = 0;
};

// A picture drawn at its natural size from the top-left corner. A
// transparent picture leaves out every pixel of its bottom-left pixel's colour.
// On a screen at more than 1.5 times the scale it draws the picture's "@2x"
// version, where there is one, so that it stays sharp.
class TImage : public QWidget {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);

    // A resource path such as ":/LOGO"; a missing picture leaves the control
    // empty. The picture is decoded when it is first needed, so a window
    // that is never shown costs nothing at start.
    void LoadPicture(const QString& path);
    const QPixmap& Picture() const { return version(false); }
    // The path of the last picture loaded.
    const QString& PicturePath() const { return path_; }
    // What is drawn at the given device pixel ratio.
    const QPixmap& PictureAt(qreal devicePixelRatio) const;
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Version {
        bool decoded = false;
        QPixmap shown; // the picture, transparent where asked
    };
    // The picture at its own size or the "@2x" one, decoded on first use.
    const QPixmap& version(bool sharp) const;
    void forgetDecodedPictures();

    QString path_;
    mutable Version picture_;
    mutable Version sharpPicture_;
    bool transparent_ = false;
};

} // namespace kalmo
