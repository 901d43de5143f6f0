#include "ui/manual_layout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QVector>
#include <cmath>

namespace zlc::ui {
namespace {

enum class BlockKind { Paragraph, Heading, ListItem, Code, InTable };

BlockKind KindOf(const QTextBlock& block) {
  if (QTextCursor(block).currentTable()) return BlockKind::InTable;
  const QTextBlockFormat format = block.blockFormat();
  if (format.headingLevel() > 0) return BlockKind::Heading;
  if (format.hasProperty(QTextFormat::BlockCodeLanguage) || format.nonBreakableLines()) {
    return BlockKind::Code;
  }
  if (block.textList()) return BlockKind::ListItem;
  return BlockKind::Paragraph;
}

// A picture's own size, from what the browser loaded for it.
QSize PictureSize(QTextDocument* doc, const QString& name) {
  const QVariant loaded = doc->resource(QTextDocument::ImageResource, QUrl(name));
  if (loaded.typeId() == QMetaType::QImage) return loaded.value<QImage>().size();
  if (loaded.typeId() == QMetaType::QPixmap) return loaded.value<QPixmap>().size();
  return QImage::fromData(loaded.toByteArray()).size();
}

}  // namespace

void LayOutForReading(QTextDocument* doc) {
  const double line = QFontMetricsF(doc->defaultFont()).lineSpacing();
  // The layout keeps the larger of two neighbours' margins, not their sum.
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format;
    switch (KindOf(block)) {
      case BlockKind::InTable:
        continue;
      case BlockKind::Heading:
        format.setTopMargin(std::round(line));
        format.setBottomMargin(std::round(line * 0.3));
        break;
      case BlockKind::ListItem:
        format.setTopMargin(std::round(line * 0.2));
        format.setBottomMargin(std::round(line * 0.2));
        break;
      case BlockKind::Code:
        // Its lines stay together; a long one wraps rather than widen the page.
        format.setNonBreakableLines(false);
        format.setTopMargin(0);
        format.setBottomMargin(0);
        break;
      case BlockKind::Paragraph:
        format.setTopMargin(std::round(line * 0.6));
        format.setBottomMargin(std::round(line * 0.6));
        break;
    }
    QTextCursor(block).mergeBlockFormat(format);
  }
}

void FitPictures(QTextDocument* doc, double width) {
  struct Picture {
    int position;
    int length;  // one character, or more where equal pictures stand side by side
    QTextImageFormat format;
  };
  QVector<Picture> pictures;
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isImageFormat()) {
        pictures.push_back({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
      }
    }
  }
  for (Picture& picture : pictures) {
    const QSize own = PictureSize(doc, picture.format.name());
    if (own.isEmpty()) continue;
    const double shown = std::max(1.0, std::floor(std::min<double>(own.width(), width)));
    if (picture.format.width() == shown) continue;
    picture.format.setWidth(shown);
    picture.format.setHeight(std::round(own.height() * shown / own.width()));
    QTextCursor cursor(doc);
    cursor.setPosition(picture.position);
    cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(picture.format);
  }
}

}  // namespace zlc::ui
