#include "plain_window.h"

#include <QLabel>
#include <QPushButton>

PlainWindow::PlainWindow() : deal_(new QPushButton("Neues Spiel", this)), picture_(new QWidget(this))
{
    setWindowTitle("Form1");
    resize(662, 346);
    auto *quit = new QPushButton("Beenden", this);
    quit->setGeometry(24, 120, 105, 33);
    deal_->setGeometry(24, 32, 105, 33);
    picture_->setGeometry(192, 160, 425, 185);
    picture_->hide();
    auto *title = new QLabel("Velmora", this);
    title->setGeometry(24, 192, 121, 105);
    QFont titleFont("Arial");
    titleFont.setPointSizeF(20.25);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet("color: rgb(128, 0, 128)");
    QFont digitFont("Times New Roman");
    digitFont.setPointSizeF(24);
    digitFont.setBold(true);
    for (const int box : {1, 2, 0}) {
        auto *digit = new QLabel(this);
        digit->setGeometry(160 + 160 * box, 32, 137, 105);
        digit->setFrameShape(QFrame::Box);
        digit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        digit->setFont(digitFont);
        digits_.at(static_cast<std::size_t>(box)) = digit;
    }
    deal_->setFocus();
    connect(deal_, &QPushButton::clicked, this, &PlainWindow::Deal);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
}

void PlainWindow::Deal()
{
    ++counter_;
    for (std::size_t box = 0; box < digits_.size(); ++box)
        digits_.at(box)->setText(QString::number((counter_ + static_cast<int>(box) * 3) % 10));
    picture_->setVisible(counter_ % 4 == 0);
}
