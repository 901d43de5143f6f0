#include "ui/unit5.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/about_picture.h"
#include "ui/caption_fit.h"
#include "ui/dialog_keys.h"
#include "zlc_version.h"

namespace zlc::ui {
namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->adjustSize();
  label->move(left, top);
  return label;
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
  setObjectName("Form5");
  setWindowTitle(tr("About ZLC"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setGeometry(8, 8, 176, 122);
  Image1 = new QLabel(Panel1);
  Image1->setObjectName("Image1");
  Image1->setGeometry(1, 1, 174, 120);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setPixmap(DrawAboutPicture(Image1->size(), qApp->devicePixelRatio()));

  // The title's face is asked for by name; where it is missing the font
  // matching picks the nearest sans serif.
  Label1 = MakeLabel(this, "Label1", tr("Zelt calculator"), 200, 8);
  QFont title("Tahoma");
  title.setStyleHint(QFont::SansSerif);
  title.setPixelSize(19);
  title.setBold(true);
  Label1->setFont(title);
  Label1->adjustSize();

  Label2 = MakeLabel(this, "Label2", {}, 200, 32);
  Label4 = MakeLabel(this, "Label4", tr("Made by the zlc developers"), 200, 56);

  // A link label for a web page; there is no page to name, and the label
  // stays hidden as the layout has it, so nothing opens from here.
  Label3 = MakeLabel(this, "Label3", {}, 200, 72);
  Label3->setStyleSheet("color: blue; text-decoration: underline;");
  Label3->setCursor(Qt::PointingHandCursor);
  Label3->hide();

  // The licence, on a line of its own so that the layout's texts stay as
  // they are; the tool tip carries the notice the licence asks programs to show.
  LicenceLabel = MakeLabel(this, "LicenceLabel", tr("Free software: GNU GPL v3 or later"), 200, 88);
  LicenceLabel->setToolTip(tr(
      "This program is free software: you can redistribute it and/or modify it under the\n"
      "terms of the GNU General Public License as published by the Free Software\n"
      "Foundation, either version 3 of the License, or (at your option) any later version.\n"
      "It comes with ABSOLUTELY NO WARRANTY; see the file LICENSE or\n"
      "<https://www.gnu.org/licenses/>."));

  Label5 = MakeLabel(this, "Label5", tr("Note: program bugs are intended to prevent unawared usage"),
                     8, 136);

  Button1 = new QPushButton(tr("Ok"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(336, 112, 75, 17);
  connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
  AcceptOnEnter(this, Button1, [] { return true; });

  FormCreate();
  FitWidthToChildren(this, 8);  // lines longer than drawn: a translation's, a wider face's
  Button1->move(width() - 6 - Button1->width(), Button1->y());  // at the right, as drawn
}

void TForm5::FormCreate() {
  Label2->setText(QString("v%1").arg(kVersion));
  Label2->adjustSize();
}

void TForm5::Button1Click() { accept(); }

}  // namespace zlc::ui
