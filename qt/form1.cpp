#include "qt/window.h"

#include "game/game.h"
#include "qt/form_builder.h"
#include "qt/form_game_view.h"
#include "qt/picture_box.h"

#include <QLabel>
#include <QPushButton>

namespace velmora {

Form1::Form1(RandomSource &random, QWidget *parent)
    : QWidget(parent), controls_(BuildForm(WindowDescription, *this)), view_(std::make_unique<FormGameView>(*this))
{
    // The only two handlers of the program. An error a game raises goes no further than here.
    connect(Command1(), &QPushButton::clicked, this, [this, &random] {
        try {
            NewGame(*view_, random);
        } catch (const std::exception &error) {
            ReportUntrappedError(error, this);
        }
    });
    connect(Command2(), &QPushButton::clicked, this, &QuitGame);
}

Form1::~Form1() = default;

QPushButton *Form1::Command2() const
{
    return static_cast<QPushButton *>(controls_[at::Command2]);
}

QPushButton *Form1::Command1() const
{
    return static_cast<QPushButton *>(controls_[at::Command1]);
}

PictureBox *Form1::Image1() const
{
    return static_cast<PictureBox *>(controls_[at::Image1]);
}

QLabel *Form1::Label4() const
{
    return static_cast<QLabel *>(controls_[at::Label4]);
}

QLabel *Form1::Label2() const
{
    return static_cast<QLabel *>(controls_[at::Label2]);
}

QLabel *Form1::Label3() const
{
    return static_cast<QLabel *>(controls_[at::Label3]);
}

QLabel *Form1::Label1() const
{
    return static_cast<QLabel *>(controls_[at::Label1]);
}

} // namespace velmora
