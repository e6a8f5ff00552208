#include <QDir>
#include <QKeyEvent>
#include <optional>
#include <string>

#include "GuiTest.h"
#include "qt/Glyphs.h"
#include "qt/KeyCodes.h"
#include "qt/Text.h"
#include "qt/TypedNames.h"

namespace fondex::test {
namespace {

TEST(TextTest, TextsAndNamesAreUtf8AndOnlyForeignBytesAreReplaced) {
  EXPECT_EQ(qt::ToQt("c:\\images\\for\xC3\xAAt.bmp"), QString::fromUtf8("c:\\images\\forêt.bmp"));
  // A name that is not UTF-8 in a message: only its own bytes look odd.
  EXPECT_EQ(
      qt::ToQt("Windows n'a pu charger c:\\\xFF\xFE.bmp. V\xC3\xA9rifiez la valdidit\xC3\xA9"),
      QString::fromUtf8("Windows n'a pu charger c:\\\uFFFD\uFFFD.bmp. Vérifiez la valdidité"));
  EXPECT_EQ(qt::ToQt("R\xE9pertoires : r\xC3\xA9"), QString::fromUtf8("R\uFFFDpertoires : ré"));
  EXPECT_EQ(qt::FromQt(QString::fromUtf8("forêt")), "for\xC3\xAAt");
  EXPECT_EQ(qt::ToQt(""), "");
}

TEST(TypedNamesTest, OnlyPlainlyNativeNamesAreTheSystems) {
  const std::string home = QDir::homePath().toStdString();
  const struct {
    const char* typed;
    std::optional<std::string> native;
  } cases[] = {
      {"/tmp/papiers/paysages/lac.bmp", "/tmp/papiers/paysages/lac.bmp"},
      {"~/Images/mer.bmp", home + "/Images/mer.bmp"},
      {"file:///home/anne/Images/mer%20bleue.bmp", "/home/anne/Images/mer bleue.bmp"},
      {"FILE://localhost/tmp/%C3%A9t%C3%A9.bmp", "/tmp/\xC3\xA9t\xC3\xA9.bmp"},
      {"file:///tmp/%E9t%E9.bmp", "/tmp/\xE9t\xE9.bmp"},  // a Latin-1 name stays its bytes
      {"file://serveur/partage/mer.bmp", std::nullopt},   // another machine's
      {"file:images/mer.bmp", std::nullopt},
      {"c:\\images\\mer.bmp", std::nullopt},
      {"\\images\\mer.bmp", std::nullopt},
      {"images\\mer.bmp", std::nullopt},
      {"images/mer.bmp", std::nullopt},
      {"~anne/mer.bmp", std::nullopt},
      {"~", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [typed, native] : cases) {
    EXPECT_EQ(qt::NativeNameTyped(QString::fromUtf8(typed)), native) << typed;
  }
}

TEST(KeyCodesTest, QtKeysBecomeWindowsVirtualKeys) {
  EXPECT_EQ(qt::VirtualKey(Qt::Key_B), 66);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_H), 72);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_7), 55);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Return), 13);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Enter), 13);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Escape), 27);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Space), 32);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Delete), 46);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_F1), 112);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_F12), 123);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Left), 37);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Down), 40);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Eacute), 0);

  const toolkit::ShiftState state = qt::ShiftStateOf(Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_TRUE(state.shift);
  EXPECT_FALSE(state.control);
  EXPECT_TRUE(state.alt);
}

TEST(KeyCodesTest, TypedCharactersAreSingleBytesWithEnterAndEscape) {
  char typed = 0;
  EXPECT_TRUE(
      qt::TypedCharacter(QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::ShiftModifier, "B"), typed));
  EXPECT_EQ(typed, 'B');
  EXPECT_TRUE(qt::TypedCharacter(
      QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, "\r"), typed));
  EXPECT_EQ(typed, 13);
  EXPECT_TRUE(qt::TypedCharacter(QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}, "\x1b"), typed));
  EXPECT_EQ(typed, 27);
  EXPECT_FALSE(qt::TypedCharacter(
      QKeyEvent(QEvent::KeyPress, Qt::Key_Eacute, {}, QString::fromUtf8("é")), typed));
  EXPECT_FALSE(
      qt::TypedCharacter(QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier), typed));
}

TEST(GlyphTest, EveryNamedGlyphIsDrawnAtAnySize) {
  for (const char* name :
       {"ouvrir-repertoire", "ouvrir-image", "uni", "hasard", "options", "apropos", "ok", "annuler",
        "aide", "recommencer", "fichier", "programme"}) {
    const QImage image = qt::GlyphPixmap(name, QSize(31, 40)).toImage();
    ASSERT_EQ(image.size(), QSize(31, 40)) << name;
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
      }
    }
    EXPECT_GT(painted, 40) << name;
  }
  EXPECT_TRUE(qt::GlyphPixmap("inconnu", QSize(16, 16)).isNull());
  EXPECT_TRUE(qt::GlyphIcon("inconnu").isNull());
}

}  // namespace
}  // namespace fondex::test
