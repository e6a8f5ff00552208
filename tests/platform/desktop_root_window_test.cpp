// Google Test first: Xlib's macros (None, Bool, ...) would rewrite its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numeric>
#include <thread>

#include "Scratch.h"
#include "desktop_bitmaps.h"
#include "pictures/PictureFiles.h"
#include "platform/posix/desktop/RootWindowBackend.h"
#include "platform/posix/desktop/ScreenPicture.h"

namespace fondex::platform::posix::desktop {
namespace {

using posix::testing::Rgb;

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF,
                        kYellow = 0xFFFF00, kBlack = 0;

// Xvfb on the first free display, which it names itself; stopped at the end.
class PrivateXServer {
 public:
  PrivateXServer() {
    int ends[2];
    if (::pipe(ends) != 0) {
      return;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addclose(&actions, ends[0]);  // it may be descriptor 3 itself
    ::posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string screen =
        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
    const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen", "0",
                          screen.c_str(), "-nolisten",  "tcp", nullptr};
    if (::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
      pid_ = -1;
    }
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    name_ = ReadDisplayNumber(ends[0]);
    ::close(ends[0]);
  }
  ~PrivateXServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  // ":N", or "" when the server did not start.
  const std::string& Name() const { return name_; }

 private:
  static std::string ReadDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    pollfd watched{.fd = fd, .events = POLLIN, .revents = 0};
    while (::poll(&watched, 1, 10000) == 1 && ::read(fd, &c, 1) == 1 && c != '\n') {
      number += c;
    }
    return number.empty() ? "" : ":" + number;
  }

  pid_t pid_ = -1;
  std::string name_;
};

// A display of its own that passes everything to a real server, and cuts both ways once the
// client has sent so many bytes: the server going away in the middle of a call. It takes one
// connection only; later ones find no display.
class CuttingProxy {
 public:
  CuttingProxy(const std::string& serverName, std::size_t cut) : cut_(cut) {
    server_ = "/tmp/.X11-unix/X" + serverName.substr(1);
    for (int number = 900; number < 1000 && listener_ < 0; ++number) {
      path_ = "/tmp/.X11-unix/X" + std::to_string(number);
      if (!std::filesystem::exists(path_)) {
        listener_ = Listen(path_);
        name_ = ":" + std::to_string(number);
      }
    }
    thread_ = std::thread([this] { Serve(); });
  }
  ~CuttingProxy() {
    thread_.join();
    ::unlink(path_.c_str());
  }

  const std::string& Name() const { return name_; }

 private:
  static sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return address;
  }
  static int Listen(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = Address(path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 1) != 0) {
      ::close(fd);
      return -1;
    }
    return fd;
  }

  void Serve() {
    pollfd waiting{.fd = listener_, .events = POLLIN, .revents = 0};
    const int client = ::poll(&waiting, 1, 10000) == 1 ? ::accept(listener_, nullptr, nullptr) : -1;
    ::close(listener_);
    ::unlink(path_.c_str());
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = Address(server_);
    if (client >= 0 &&
        ::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      Forward(client, server);
    }
    ::close(client);
    ::close(server);
  }

  void Forward(int client, int server) {
    std::size_t sent = 0;
    char buffer[4096];
    pollfd ends[2] = {{.fd = client, .events = POLLIN, .revents = 0},
                      {.fd = server, .events = POLLIN, .revents = 0}};
    while (sent<cut_&& ::poll(ends, 2, 10000)> 0) {
      const bool fromClient = (ends[0].revents & (POLLIN | POLLHUP)) != 0;
      const int from = fromClient ? client : server;
      const std::size_t room = fromClient ? std::min(sizeof buffer, cut_ - sent) : sizeof buffer;
      const ssize_t got = ::read(from, buffer, room);
      if (got <= 0 || ::write(fromClient ? server : client, buffer, got) != got) {
        return;
      }
      sent += fromClient ? static_cast<std::size_t>(got) : 0;
    }
  }

  std::size_t cut_;
  std::string server_;
  std::string path_;
  std::string name_;
  int listener_ = -1;
  std::thread thread_;
};

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

int errorCount = 0;
int CountError(Display*, XErrorEvent*) {
  ++errorCount;
  return 0;
}

class RootWindowTest : public posix::testing::ScratchTest {
 protected:
  static void SetUpTestSuite() { server_ = new PrivateXServer; }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  RootWindowTest() : display_(XOpenDisplay(server_->Name().c_str())) {
    // Quadrants of 32 x 24: red, green above; blue, white below.
    Write("quadrants.bmp", posix::testing::TrueColourBitmap(64, 48, [](int x, int y) {
            const Rgb colours[2][2] = {{{255, 0, 0}, {0, 255, 0}}, {{0, 0, 255}, {255, 255, 255}}};
            return colours[y / 24][x / 32];
          }));
    // The same quadrants in the proportions of 1920 x 1080, with yellow side edges 2 wide.
    Write("wide.bmp", posix::testing::TrueColourBitmap(64, 36, [](int x, int y) {
            const Rgb colours[2][2] = {{{255, 0, 0}, {0, 255, 0}}, {{0, 0, 255}, {255, 255, 255}}};
            return x < 2 || x >= 62 ? Rgb{255, 255, 0} : colours[y / 18][x / 32];
          }));
  }

  void SetUp() override { ASSERT_NE(display_, nullptr) << "Xvfb did not start"; }

  Window Root() const { return DefaultRootWindow(display_.get()); }

  // The screen's pixels as the server shows them.
  std::uint32_t At(int x, int y) {
    XImage* image = XGetImage(display_.get(), Root(), x, y, 1, 1, AllPlanes, ZPixmap);
    const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  std::optional<Pixmap> RootPixmap(const char* property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_.get(), Root(), XInternAtom(display_.get(), property, False), 0, 1,
                       False, XA_PIXMAP, &type, &format, &count, &after, &data);
    std::optional<Pixmap> pixmap;
    if (data != nullptr && count == 1) {
      pixmap = *reinterpret_cast<Pixmap*>(data);
    }
    XFree(data);
    return pixmap;
  }

  bool PixmapExists(Pixmap pixmap) {
    const XErrorHandler previous = XSetErrorHandler(&CountError);
    errorCount = 0;
    Window root;
    int x, y;
    unsigned width, height, border, depth;
    XGetGeometry(display_.get(), pixmap, &root, &x, &y, &width, &height, &border, &depth);
    XSync(display_.get(), False);
    XSetErrorHandler(previous);
    return errorCount == 0;
  }

  static PrivateXServer* server_;
  std::unique_ptr<Display, DisplayCloser> display_;
  RootWindowBackend backend_{server_->Name()};
};

PrivateXServer* RootWindowTest::server_ = nullptr;

TEST_F(RootWindowTest, CentresTilesAndStretchesThePicture) {
  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kCentred));
  // The picture's top-left corner is at (128, 96).
  EXPECT_EQ(At(144, 108), kRed);
  EXPECT_EQ(At(176, 108), kGreen);
  EXPECT_EQ(At(144, 132), kBlue);
  EXPECT_EQ(At(176, 132), kWhite);
  EXPECT_EQ(At(128, 96), kRed);
  EXPECT_EQ(At(191, 143), kWhite);
  EXPECT_EQ(At(127, 96), kBlack);
  EXPECT_EQ(At(192, 143), kBlack);
  EXPECT_EQ(At(10, 10), kBlack);
  EXPECT_EQ(At(319, 239), kBlack);

  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kTiled));
  EXPECT_EQ(At(16, 12), kRed);
  EXPECT_EQ(At(48, 12), kGreen);
  EXPECT_EQ(At(16, 36), kBlue);
  EXPECT_EQ(At(48, 36), kWhite);
  EXPECT_EQ(At(64 + 16, 48 + 12), kRed);
  EXPECT_EQ(At(4 * 64 + 48, 3 * 48 + 36), kWhite);
  EXPECT_EQ(At(319, 239), kWhite);

  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kStretched));
  EXPECT_EQ(At(80, 60), kRed);
  EXPECT_EQ(At(240, 60), kGreen);
  EXPECT_EQ(At(80, 180), kBlue);
  EXPECT_EQ(At(240, 180), kWhite);
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(159, 119), kRed);
  EXPECT_EQ(At(160, 120), kWhite);
  EXPECT_EQ(At(319, 239), kWhite);
}

// A 16:9 picture on the 4:3 screen.
TEST_F(RootWindowTest, FitsWithBandsAndFillsCuttingTheSides) {
  ASSERT_TRUE(backend_.Set(Posix("wide.bmp"), WallpaperStyle::kFitted));
  // 320 wide and 180 high, from row 30: black bands above and below, the whole width shown.
  for (const int x : {0, 160, 319}) {
    EXPECT_EQ(At(x, 0), kBlack) << x;
    EXPECT_EQ(At(x, 29), kBlack) << x;
    EXPECT_EQ(At(x, 210), kBlack) << x;
    EXPECT_EQ(At(x, 239), kBlack) << x;
  }
  EXPECT_EQ(At(0, 30), kYellow);
  EXPECT_EQ(At(319, 209), kYellow);
  EXPECT_EQ(At(80, 75), kRed);
  EXPECT_EQ(At(240, 75), kGreen);
  EXPECT_EQ(At(80, 165), kBlue);
  EXPECT_EQ(At(240, 165), kWhite);

  ASSERT_TRUE(backend_.Set(Posix("wide.bmp"), WallpaperStyle::kFilled));
  // 427 wide and 240 high, 53 pixels cut on the left: no band, no yellow edge.
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(319, 0), kGreen);
  EXPECT_EQ(At(0, 239), kBlue);
  EXPECT_EQ(At(319, 239), kWhite);
  EXPECT_EQ(At(159, 119), kRed);
  EXPECT_EQ(At(161, 120), kWhite);
  for (const int y : {0, 120, 239}) {
    EXPECT_NE(At(0, y), kYellow) << y;
    EXPECT_NE(At(319, y), kYellow) << y;
  }
}

TEST_F(RootWindowTest, PublishesKeepsAndReleasesItsPixmaps) {
  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kCentred));
  const auto first = RootPixmap("_XROOTPMAP_ID");
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(RootPixmap("ESETROOT_PMAP_ID"), first);
  EXPECT_TRUE(PixmapExists(*first));  // kept after the connection that made it closed

  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kCentred));
  const auto second = RootPixmap("_XROOTPMAP_ID");
  ASSERT_TRUE(second.has_value());
  EXPECT_NE(second, first);
  EXPECT_FALSE(PixmapExists(*first));
  EXPECT_TRUE(PixmapExists(*second));

  ASSERT_TRUE(backend_.Clear());
  EXPECT_FALSE(RootPixmap("_XROOTPMAP_ID").has_value());
  EXPECT_FALSE(RootPixmap("ESETROOT_PMAP_ID").has_value());
  EXPECT_FALSE(PixmapExists(*second));
  for (auto [x, y] : {std::pair{0, 0}, {144, 108}, {176, 132}, {319, 239}}) {
    EXPECT_EQ(At(x, y), kBlack) << x << ',' << y;
  }
}

// Other formats, each through its own library, land on the root with their pixels.
TEST_F(RootWindowTest, ShowsJpegPngAndWebpPictures) {
  const auto quadrants = [](int x, int y) { return posix::testing::Quadrant(x, y, 64, 48); };
  struct Case {
    const char* name;
    std::string file;
    int tolerance;
  };
  const std::vector<Case> cases = {
      {"q.jpg", posix::testing::JpegFile(64, 48, quadrants), 12},
      {"q.png", posix::testing::PngFile(64, 48, {.colourType = 3}, quadrants), 0},
      {"q.webp", posix::testing::WebpFile(64, 48, false, quadrants), 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.name, c.file);
    ASSERT_TRUE(backend_.Set(Posix(c.name), WallpaperStyle::kCentred));
    const std::pair<std::pair<int, int>, std::uint32_t> expected[] = {
        {{136, 102}, kRed},   {{184, 102}, kGreen}, {{136, 138}, kBlue},
        {{184, 138}, kWhite}, {{120, 96}, kBlack},  {{319, 239}, kBlack}};
    for (const auto& [at, colour] : expected) {
      const std::uint32_t pixel = At(at.first, at.second);
      for (int shift : {0, 8, 16}) {
        EXPECT_NEAR(static_cast<int>(pixel >> shift & 0xFF),
                    static_cast<int>(colour >> shift & 0xFF), c.tolerance)
            << at.first << ',' << at.second;
      }
    }
  }
}

TEST_F(RootWindowTest, RefusesWhatItCannotShow) {
  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kCentred));
  const auto shown = RootPixmap("_XROOTPMAP_ID");
  Write("image.png", "\x89PNG\r\n\x1A\n");
  EXPECT_FALSE(backend_.Set(Posix("image.png"), WallpaperStyle::kCentred));
  EXPECT_FALSE(backend_.Set(Posix("absent.bmp"), WallpaperStyle::kCentred));
  EXPECT_EQ(RootPixmap("_XROOTPMAP_ID"), shown);
  EXPECT_EQ(At(144, 108), kRed);

  RootWindowBackend nowhere("unix:/nonexistent/display:0");
  EXPECT_FALSE(nowhere.Set(Posix("quadrants.bmp"), WallpaperStyle::kCentred));
  EXPECT_FALSE(nowhere.Clear());
}

TEST_F(RootWindowTest, AServerGoingAwayRefusesTheChangeWithoutEndingTheProgram) {
  // A picture as large as the screen: its pixels alone are far more than any cut below.
  Write("grand.bmp", posix::testing::TrueColourBitmap(kScreenWidth, kScreenHeight, [](int, int) {
          return Rgb{10, 20, 30};
        }));
  // In the greeting, among the first requests, in the middle of the pixels.
  for (const std::size_t cut : {std::size_t{8}, std::size_t{200}, std::size_t{60000}}) {
    CuttingProxy proxy(server_->Name(), cut);
    RootWindowBackend goingAway(proxy.Name());
    EXPECT_FALSE(goingAway.Set(Posix("grand.bmp"), WallpaperStyle::kStretched)) << cut;
    EXPECT_FALSE(goingAway.Clear()) << cut;
  }
  ASSERT_TRUE(backend_.Set(Posix("quadrants.bmp"), WallpaperStyle::kCentred));
  EXPECT_EQ(At(144, 108), kRed);
}

// Two RandR monitors side by side, GAUCHE holding the server's one output, for as long as it
// lives.
class TwoMonitors {
 public:
  explicit TwoMonitors(Display* display) : display_(display) {
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, Root());
    Add("GAUCHE", 0, resources != nullptr && resources->noutput > 0 ? resources->outputs[0] : 0);
    Add("DROITE", kScreenWidth / 2, 0);
    XRRFreeScreenResources(resources);
    XSync(display, False);
  }
  ~TwoMonitors() {
    for (const char* name : {"GAUCHE", "DROITE"}) {
      XRRDeleteMonitor(display_, Root(), XInternAtom(display_, name, False));
    }
    XSync(display_, False);
  }
  TwoMonitors(const TwoMonitors&) = delete;
  TwoMonitors& operator=(const TwoMonitors&) = delete;

 private:
  Window Root() const { return DefaultRootWindow(display_); }
  void Add(const char* name, int left, RROutput output) {
    XRRMonitorInfo* monitor = XRRAllocateMonitor(display_, output != 0 ? 1 : 0);
    monitor->name = XInternAtom(display_, name, False);
    monitor->x = left;
    monitor->width = kScreenWidth / 2;
    monitor->height = kScreenHeight;
    monitor->mwidth = 42;
    monitor->mheight = 64;
    if (output != 0) {
      monitor->outputs[0] = output;
    }
    XRRSetMonitor(display_, Root(), monitor);
    XRRFreeMonitors(monitor);
  }

  Display* display_;
};

// Each monitor shows its own picture; a change of one keeps the other's, also from another
// process (a new back-end reads the root's record), and also when another program drew it.
TEST_F(RootWindowTest, EachMonitorKeepsItsPictureUntilItIsNamed) {
  const TwoMonitors monitors(display_.get());
  for (const auto& [name, colour] : {std::pair{"red.bmp", Rgb{255, 0, 0}},
                                     {"green.bmp", Rgb{0, 255, 0}},
                                     {"blue.bmp", Rgb{0, 0, 255}}}) {
    Write(name, posix::testing::TrueColourBitmap(8, 8, [c = colour](int, int) { return c; }));
  }
  auto screens = backend_.Screens();
  std::ranges::sort(screens);
  EXPECT_EQ(screens, (std::vector<std::string>{"DROITE", "GAUCHE"}));
  const auto shows = [this](std::uint32_t left, std::uint32_t right) {
    return At(80, 120) == left && At(0, 0) == left && At(159, 239) == left && At(160, 0) == right &&
           At(240, 120) == right && At(319, 239) == right;
  };

  ASSERT_TRUE(backend_.SetEach({{"GAUCHE", Posix("red.bmp")}, {"DROITE", Posix("blue.bmp")}},
                               WallpaperStyle::kStretched));
  EXPECT_TRUE(shows(kRed, kBlue));
  RootWindowBackend restarted(server_->Name());
  ASSERT_TRUE(restarted.SetEach({{"DROITE", Posix("green.bmp")}}, WallpaperStyle::kStretched));
  EXPECT_TRUE(shows(kRed, kGreen));
  EXPECT_EQ(restarted.CurrentOn("GAUCHE"), Posix("red.bmp"));
  EXPECT_EQ(restarted.CurrentOn("DROITE"), Posix("green.bmp"));
  EXPECT_FALSE(restarted.SetEach({{"HDMI-9", Posix("blue.bmp")}}, WallpaperStyle::kStretched));
  EXPECT_FALSE(restarted.SetEach({{"GAUCHE", Posix("absent.bmp")}}, WallpaperStyle::kStretched));
  EXPECT_TRUE(shows(kRed, kGreen));

  // Another program's pixmap, all yellow: its pixels stay, and it names no picture.
  const Pixmap other = XCreatePixmap(display_.get(), Root(), kScreenWidth, kScreenHeight, 24);
  const GC gc = XCreateGC(display_.get(), other, 0, nullptr);
  XSetForeground(display_.get(), gc, kYellow);
  XFillRectangle(display_.get(), other, gc, 0, 0, kScreenWidth, kScreenHeight);
  XFreeGC(display_.get(), gc);
  XChangeProperty(display_.get(), Root(), XInternAtom(display_.get(), "_XROOTPMAP_ID", False),
                  XA_PIXMAP, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&other),
                  1);
  XSync(display_.get(), False);
  EXPECT_EQ(backend_.CurrentOn("GAUCHE"), std::nullopt);
  ASSERT_TRUE(backend_.SetEach({{"DROITE", Posix("blue.bmp")}}, WallpaperStyle::kStretched));
  EXPECT_TRUE(shows(kYellow, kBlue));
  EXPECT_EQ(backend_.CurrentOn("GAUCHE"), std::nullopt);
  EXPECT_EQ(backend_.CurrentOn("DROITE"), Posix("blue.bmp"));
  XFreePixmap(display_.get(), other);

  // One picture everywhere names it on every monitor; the plain desktop names none.
  ASSERT_TRUE(backend_.Set(Posix("green.bmp"), WallpaperStyle::kStretched));
  EXPECT_EQ(backend_.CurrentOn("GAUCHE"), Posix("green.bmp"));
  ASSERT_TRUE(backend_.Clear());
  EXPECT_TRUE(shows(kBlack, kBlack));
  EXPECT_EQ(backend_.CurrentOn("DROITE"), "");
}

// A picture held in memory, handed out in the bands asked for.
class PictureInMemory : public PictureReader {
 public:
  PictureInMemory(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels)
      : PictureReader(width, height), pixels_(std::move(pixels)) {}
  bool ReadRows(std::span<std::uint32_t> words) override {
    if (words.size() > pixels_.size() - next_) {
      return false;
    }
    std::copy_n(pixels_.begin() + next_, words.size(), words.begin());
    next_ += words.size();
    return true;
  }
  std::size_t RowsRead() const { return next_ / Width(); }

 private:
  std::vector<std::uint32_t> pixels_;
  std::size_t next_ = 0;
};

// The screen's words, drawn the way the pixmap is.
class WordsCanvas : public ScreenCanvas {
 public:
  WordsCanvas(int width, int height)
      : width_(width), words_(static_cast<std::size_t>(width * height), kUnpainted) {}
  static constexpr std::uint32_t kUnpainted = 0xDEAD;

  void Fill(const PixelArea& area, std::uint32_t word) override {
    for (int y = area.top; y < area.top + area.height; ++y) {
      std::fill_n(words_.begin() + y * width_ + area.left, area.width, word);
    }
  }
  void Put(const PixelBand& band) override {
    for (int y = 0; y < band.rows; ++y) {
      std::copy_n(band.words + y * band.stride, band.width,
                  words_.begin() + (band.top + y) * width_ + band.left);
    }
  }
  void CopyRows(const PixelArea& area, int to) override {
    ASSERT_TRUE(area.top + area.height <= to || to + area.height <= area.top) << "overlapping copy";
    for (int y = 0; y < area.height; ++y) {
      std::copy_n(words_.begin() + (area.top + y) * width_ + area.left, area.width,
                  words_.begin() + (to + y) * width_ + area.left);
    }
  }
  const std::vector<std::uint32_t>& Words() const { return words_; }

 private:
  int width_;
  std::vector<std::uint32_t> words_;
};

using Words = std::vector<std::uint32_t>;

// The 4 x 3 picture 1..12 drawn on a width x height screen with background 0.
Words Composed(WallpaperStyle style, int width, int height, std::size_t* rowsRead = nullptr) {
  Words pixels(12);
  std::iota(pixels.begin(), pixels.end(), 1u);
  PictureInMemory picture(4, 3, pixels);
  WordsCanvas canvas(width, height);
  EXPECT_TRUE(DrawPicture(picture, style, canvas, {0, 0, width, height}, 0));
  if (rowsRead != nullptr) {
    *rowsRead = picture.RowsRead();
  }
  return canvas.Words();
}

TEST(ScreenPicture, PicturesLargerThanTheScreenAndUnevenScales) {
  EXPECT_EQ(Composed(WallpaperStyle::kCentred, 2, 1), (Words{6, 7}));
  EXPECT_EQ(Composed(WallpaperStyle::kCentred, 6, 1), (Words{0, 5, 6, 7, 8, 0}));
  EXPECT_EQ(Composed(WallpaperStyle::kTiled, 6, 4),
            (Words{1, 2, 3, 4, 1, 2, 5, 6, 7, 8, 5, 6, 9, 10, 11, 12, 9, 10, 1, 2, 3, 4, 1, 2}));
  EXPECT_EQ(Composed(WallpaperStyle::kStretched, 2, 2), (Words{1, 3, 5, 7}));
  EXPECT_EQ(Composed(WallpaperStyle::kStretched, 8, 1), (Words{1, 1, 2, 2, 3, 3, 4, 4}));
  // Fitted: bands beside or above and below, the whole picture shown.
  EXPECT_EQ(Composed(WallpaperStyle::kFitted, 8, 3),
            (Words{0, 0, 1, 2, 3, 4, 0, 0, 0, 0, 5, 6, 7, 8, 0, 0, 0, 0, 9, 10, 11, 12, 0, 0}));
  EXPECT_EQ(Composed(WallpaperStyle::kFitted, 4, 5),
            (Words{0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 0}));
  // Filled: no band, the picture cut on the sides that pass the screen.
  EXPECT_EQ(Composed(WallpaperStyle::kFilled, 8, 3),
            (Words{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 5, 5, 6, 6, 7, 7, 8, 8}));
  EXPECT_EQ(Composed(WallpaperStyle::kFilled, 2, 3), (Words{2, 3, 6, 7, 10, 11}));
  // The same proportions: the three scaled styles agree.
  for (const WallpaperStyle style : {WallpaperStyle::kFitted, WallpaperStyle::kFilled}) {
    EXPECT_EQ(Composed(style, 8, 6), Composed(WallpaperStyle::kStretched, 8, 6));
  }
}

// One area of a larger canvas, as one screen among several: every style draws relative to the
// area's corner and nothing outside it.
TEST(ScreenPicture, EveryStyleStaysInsideItsArea) {
  constexpr std::uint32_t u = WordsCanvas::kUnpainted;
  struct Case {
    WallpaperStyle style;
    int width, height;
    PixelArea area;
    Words drawn;
  };
  const Case cases[] = {
      {WallpaperStyle::kFitted, 6, 4, {1, 1, 4, 2}, {u, u, u, u, u, u, u, 1, 2, 3, 0, u,
                                                     u, 5, 6, 7, 0, u, u, u, u, u, u, u}},
      {WallpaperStyle::kFilled, 6, 4, {2, 0, 2, 3}, {u, u, 2,  3,  u, u, u, u, 6, 7, u, u,
                                                     u, u, 10, 11, u, u, u, u, u, u, u, u}},
      {WallpaperStyle::kStretched, 6, 4, {0, 3, 6, 0}, Words(24, u)},
      // The margin beside a centred picture is painted in the area only.
      {WallpaperStyle::kCentred, 6, 4, {1, 1, 5, 3}, {u, u, u, u, u, u, u, 1, 2,  3,  4,  0,
                                                      u, 5, 6, 7, 8, 0, u, 9, 10, 11, 12, 0}},
      // Tiles start at the area's corner; the copied rows keep to its columns.
      {WallpaperStyle::kTiled, 7, 5, {1, 1, 5, 4}, {u,  u,  u, u, u, u, u, u, 1, 2, 3, 4,
                                                    1,  u,  u, 5, 6, 7, 8, 5, u, u, 9, 10,
                                                    11, 12, 9, u, u, 1, 2, 3, 4, 1, u}},
  };
  Words pixels(12);
  std::iota(pixels.begin(), pixels.end(), 1u);
  for (const Case& c : cases) {
    PictureInMemory picture(4, 3, pixels);
    WordsCanvas canvas(c.width, c.height);
    EXPECT_TRUE(DrawPicture(picture, c.style, canvas, c.area, 0));
    EXPECT_EQ(canvas.Words(), c.drawn) << static_cast<int>(c.style);
  }
}

// Every screen pixel is drawn, the tiles below the first strip included, and no more of the
// picture is read than shows.
TEST(ScreenPicture, CoversTheScreenAndReadsOnlyTheRowsThatShow) {
  struct Case {
    WallpaperStyle style;
    int width, height;
    std::size_t rowsRead;
  };
  for (const Case& c :
       {Case{WallpaperStyle::kCentred, 5, 1, 2}, Case{WallpaperStyle::kCentred, 3, 9, 3},
        Case{WallpaperStyle::kTiled, 3, 2, 2}, Case{WallpaperStyle::kTiled, 9, 13, 3},
        Case{WallpaperStyle::kStretched, 7, 1, 3}, Case{WallpaperStyle::kStretched, 3, 11, 3},
        Case{WallpaperStyle::kFitted, 7, 1, 3}, Case{WallpaperStyle::kFitted, 3, 11, 3},
        Case{WallpaperStyle::kFilled, 7, 1, 3}, Case{WallpaperStyle::kFilled, 3, 11, 3}}) {
    std::size_t rowsRead = 0;
    const Words screen = Composed(c.style, c.width, c.height, &rowsRead);
    EXPECT_EQ(std::count(screen.begin(), screen.end(), WordsCanvas::kUnpainted), 0)
        << static_cast<int>(c.style) << ' ' << c.width << 'x' << c.height;
    EXPECT_EQ(rowsRead, c.rowsRead)
        << static_cast<int>(c.style) << ' ' << c.width << 'x' << c.height;
  }
  const Words tiled = Composed(WallpaperStyle::kTiled, 9, 13);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 9; ++x) {
      EXPECT_EQ(tiled[y * 9 + x], static_cast<std::uint32_t>(y % 3 * 4 + x % 4 + 1))
          << x << ',' << y;
    }
  }
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
