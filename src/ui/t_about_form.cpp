#include "ui/t_about_form.h"

#include <QPushButton>

#include "ui/pictures.h"
#include "ui_t_about_form.h"

namespace wyn {

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TAboutForm>()) {
    ui->setupUi(this);
    showPicture(ui->LogoImage, Picture::Logo);
    setFixedSize(sizeHint());
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm() = default;

}  // namespace wyn
