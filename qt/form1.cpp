#include "qt/form1.h"

#include "game/game.h"
#include "qt/form_builder.h"
#include "qt/game_view.h"
#include "qt/picture_box.h"

#include <QLabel>
#include <QPushButton>

namespace velmora {

Form1::Form1(RandomSource &random, QWidget *parent)
    : QWidget(parent), controls_(BuildForm(WindowDescription, *this)), view_(std::make_unique<FormGameView>(*this))
{
    // The only two handlers of the program.
    connect(NewGameButton(), &QPushButton::clicked, this, [this, &random] {
        if (const auto error = PlayNewGame(*view_, random))
            ReportUntrappedError(*error, this);
    });
    connect(QuitButton(), &QPushButton::clicked, this, &QuitGame);
}

Form1::~Form1() = default;

QPushButton *Form1::QuitButton() const
{
    return static_cast<QPushButton *>(controls_[at::QuitButton]);
}

QPushButton *Form1::NewGameButton() const
{
    return static_cast<QPushButton *>(controls_[at::NewGameButton]);
}

PictureBox *Form1::Picture() const
{
    return static_cast<PictureBox *>(controls_[at::Picture]);
}

QLabel *Form1::Title() const
{
    return static_cast<QLabel *>(controls_[at::Title]);
}

QLabel *Form1::Digit2() const
{
    return static_cast<QLabel *>(controls_[at::Digit2]);
}

QLabel *Form1::Digit3() const
{
    return static_cast<QLabel *>(controls_[at::Digit3]);
}

QLabel *Form1::Digit1() const
{
    return static_cast<QLabel *>(controls_[at::Digit1]);
}

} // namespace velmora
