#include <gtest/gtest.h>

#include "platform/posix/desktop/MonitorPictures.h"

namespace fondex::platform::posix::desktop {
namespace {

using namespace std::string_literals;

TEST(MonitorRecord, ReadsBackWhatItWroteAndRefusesAnythingElse) {
  const MonitorRecord record{4194305,
                             {{"HDMI-1", {0, 0, 3840, 2160}, "/home/a b/ciel.bmp"},
                              {"DP-2", {3840, -10, 1920, 1080}, "/tmp/x\nnouvelle ligne.png"}}};
  EXPECT_EQ(DecodeRecord(EncodeRecord(record)), record);
  EXPECT_EQ(DecodeRecord("7\0"s), (MonitorRecord{7, {}}));
  for (const std::string& bad :
       {""s, "7"s, "x\0"s, "7\0A\0"s, "7\0A\0 0 0 1 1\0/p\0"s, "7\0A\00 0 1\0/p\0"s,
        "7\0A\00 0 1 1 1\0/p\0"s, "7\0A\00 0 1 1\0\0"s, "7\0A\00 0 1 1\0/p"s}) {
    EXPECT_EQ(DecodeRecord(bad), std::nullopt) << bad;
  }
}

TEST(MonitorPlan, NamedMonitorsTakeTheirPictureTheOthersKeepWhatTheyShow) {
  const XMonitor left{"G", {0, 0, 100, 50}}, right{"D", {100, 0, 100, 50}};
  const XMonitor moved{"D", {100, 0, 80, 50}};
  const MonitorRecord record{1, {{"G", left.area, "/g.bmp"}, {"D", right.area, "/d.bmp"}}};
  struct Case {
    XMonitor second;
    std::vector<ScreenPath> named;
    std::optional<MonitorRecord> record;
    bool shownPixels;
    std::vector<MonitorDrawing> drawings;
  };
  const Case cases[] = {
      // Recorded and where it was: copied, still named.
      {right, {{"G", "/n.bmp"}}, record, true, {{left, "/n.bmp", false}, {right, "/d.bmp", true}}},
      // Moved, or nothing to copy: drawn again from its file.
      {moved, {{"G", "/n.bmp"}}, record, true, {{left, "/n.bmp", false}, {moved, "/d.bmp"}}},
      {right, {{"G", "/n.bmp"}}, record, false, {{left, "/n.bmp", false}, {right, "/d.bmp"}}},
      // Another program's picture, or none: its pixels copied, or the background.
      {right, {{"G", "/n.bmp"}}, std::nullopt, true, {{left, "/n.bmp"}, {right, "", true}}},
      {right, {{"D", "/n.bmp"}}, std::nullopt, false, {{left, ""}, {right, "/n.bmp"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlanMonitors({left, c.second}, c.named, c.record, c.shownPixels), c.drawings)
        << c.second.area.width << ' ' << c.shownPixels;
  }
  EXPECT_EQ(RecordOf(9, cases[3].drawings), (MonitorRecord{9, {{"G", left.area, "/n.bmp"}}}));
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
