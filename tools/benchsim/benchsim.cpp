// benchsim: plays the load cell bench on a serial line. It creates a
// pseudo-terminal and links it into the per-user port folder, where the
// program lists it like any serial port (or it writes to a real serial device
// named with --device), and sends readings the way the bench does: one
// reading per line, ended by CR LF, paced as on a 9600-baud wire.
//
// It also misbehaves on request, for robustness checks: noise bytes inside
// readings, endless characters with no line end (what a wrong baud rate looks
// like), and a hang-up (the adapter pulled out).
//
// With --control it is driven instead of timed: a test (or a person at a
// terminal) moves the shaft on with "next" when the program is ready for it,
// so nothing waits for a moment chosen in advance; the dip and the settling
// after a move keep their real time constants.

#include "platform/PortLinkFolder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

struct Options {
    std::string device;               // write here instead of a pseudo-terminal
    std::string link = "benchsim";    // name in the port folder
    std::string sequence = "constant:12.5";
    double hold = 3.0;                // profile/sine: seconds at one position
    double step = 30.0;               // sine: degrees between positions
    int positions = 10;               // profile: positions along the shaft
    double rate = 10.0;               // readings per second; 0 = back to back
    long baud = 9600;
    int decimals = 2;
    double noise = 0.0;
    double dip = 5.0;                 // settle/shaft: percent a move takes off the load
    double dipSeconds = 0.4;
    std::string unit;
    bool split = false;
    int chunk = 0;
    double garbage = 0.0;
    bool endless = false;
    long count = -1;
    double hangupAfter = -1.0;
    double delay = 0.0;
    unsigned seed = 1;
    bool quiet = false;
    std::string control;              // FIFO (or "-", standard input) of commands
};

// What the control channel has asked for so far. The reading loop and the
// sequence look here; the commands land between readings, as sleepUntil
// reads them while it waits.
struct Driven {
    bool on = false;
    long position = 0;                // "next" moves on by one
    double movedAt = 0;               // seconds since the start of the last move
    bool pinned = false;              // "load V" until the next "next"
    double load = 0;
    bool paused = false;              // "hold" until "send"
    bool noiseChanged = false;
    double noise = 0, garbage = 0;
    int fd = -1;
    std::string pending;
};
Driven g_driven;
double g_start = 0;

void usage(FILE* to)
{
    std::fprintf(to,
        "usage: benchsim [options]\n"
        "Plays the load cell bench on a pseudo-terminal that the program lists as a serial\n"
        "port (%s/NAME), or on a real serial device.\n"
        "The port's name is printed on the first line of standard output.\n\n"
        "  --link NAME          name of the port link (default benchsim)\n"
        "  --device PATH        send on this serial device instead of a pseudo-terminal\n"
        "  --sequence SEQ       what the bench measures (default constant:12.5):\n"
        "                         constant:V            the same load all the time\n"
        "                         ramp:FROM:TO:STEPS    FROM to TO in STEPS readings, again and again\n"
        "                         profile[:TIP:BUTT]    a shaft's load along the bench, position by\n"
        "                                               position (default 20:120, see --positions)\n"
        "                         settle:L1:L2:...      the loads in turn, one every --hold seconds,\n"
        "                                               each approached with a time constant of 0.5 s\n"
        "                                               after the dip of the move (see --dip); the\n"
        "                                               last one stays\n"
        "                         sine:MEAN:AMP[:CYC]   load around the shaft, angle by angle,\n"
        "                                               MEAN + AMP sin(CYC x angle) (CYC default 2)\n"
        "                         shaft:spine=P@DEG,bend=A@DEG,noise=SD,mean=M,step=DEG\n"
        "                                               a shaft with a spine of P %% (stiff plane at\n"
        "                                               DEG), a bend of amplitude A peaking at DEG,\n"
        "                                               its own noise, mean load M (default 50);\n"
        "                                               every setting optional; each turn dips the\n"
        "                                               load (see --dip), which then settles with a\n"
        "                                               time constant of 0.2 s\n"
        "  --hold SEC           profile/sine/shaft: time at one position or angle (default 3);\n"
        "                       the simulator cannot see the shaft turn, so sine and shaft step\n"
        "                       on by the angle step every SEC, starting at 0 degrees\n"
        "  --step DEG           sine/shaft: angle between positions (default 30; shaft's step=\n"
        "                       overrides it)\n"
        "  --positions N        profile: positions along the shaft (default 10)\n"
        "  --rate N             readings per second (default 10; 0: back to back)\n"
        "  --baud N             wire speed that paces the characters (default 9600)\n"
        "  --decimals N         decimals of a reading (default 2)\n"
        "  --noise SD           random noise added to every reading (standard deviation)\n"
        "  --dip PERCENT[:SEC]  settle/shaft: moving the shaft takes PERCENT of the load off for\n"
        "                       SEC seconds before it settles (default 5:0.4; 0: no dip)\n"
        "  --unit TEXT          text after the number, e.g. \" kN\"\n"
        "  --split              every reading in two or three writes, split at random\n"
        "  --chunk N            writes of at most N characters\n"
        "  --garbage P          chance per reading of a burst of noise bytes inside it\n"
        "  --endless            noise characters and never a line end (a wrong baud rate)\n"
        "  --count N            hang up after N readings\n"
        "  --hangup-after SEC   hang up after SEC seconds\n"
        "  --delay SEC          wait before the first reading\n"
        "  --seed N             seed of the random numbers (default 1)\n"
        "  --quiet              no progress on standard error\n"
        "  --control PATH       take commands, one a line, from the FIFO PATH (made if missing)\n"
        "                       or from standard input (-); the shaft then moves only on command:\n"
        "                         next        to the next position or angle now (--hold is unused)\n"
        "                         load V      put the load V on the cell, with the dip of a move\n"
        "                         noise SD    random noise of every reading from now on\n"
        "                         garbage P   chance per reading of a burst of noise bytes\n"
        "                         hold        stop sending (the shaft stays); send: go on\n"
        "                         hangup      hang up and end\n",
        tarvex::PortLinkFolder().c_str());
}

double monotonicNow()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void command(const std::string& line)
{
    Driven& d = g_driven;
    char word[16] = {};
    double v = 0;
    char extra = 0;
    const int n = std::sscanf(line.c_str(), " %15s %lf %c", word, &v, &extra);
    const std::string w = n >= 1 ? word : "";
    const bool valued = n == 2 && std::isfinite(v);
    if (n <= 0) {
        return;
    } else if (w == "next" && n == 1) {
        ++d.position;
        d.pinned = false;
        d.movedAt = monotonicNow() - g_start;
    } else if (w == "load" && valued) {
        d.pinned = true;
        d.load = v;
        d.movedAt = monotonicNow() - g_start;
    } else if (w == "noise" && valued && v >= 0) {
        d.noise = v;
        d.noiseChanged = true;
    } else if (w == "garbage" && valued && v >= 0 && v <= 1) {
        d.garbage = v;
    } else if (w == "hold" && n == 1) {
        d.paused = true;
    } else if (w == "send" && n == 1) {
        d.paused = false;
    } else if (w == "hangup" && n == 1) {
        g_stop = 1;
    } else {
        std::fprintf(stderr, "benchsim: unknown command '%s' (next, load V, noise SD, garbage P, hold, send, hangup)\n",
                     line.c_str());
    }
}

void readCommands()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(g_driven.fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        g_driven.pending.append(buffer, static_cast<std::size_t>(n));
    }
    std::string::size_type eol;
    while ((eol = g_driven.pending.find('\n')) != std::string::npos) {
        command(g_driven.pending.substr(0, eol));
        g_driven.pending.erase(0, eol + 1);
    }
}

// Sleeps until the monotonic time `t`; returns early when asked to stop.
// Commands are taken as they come, not at the next reading.
void sleepUntil(double t)
{
    while (!g_stop) {
        const double left = t - monotonicNow();
        if (left <= 0)
            return;
        pollfd p { g_driven.fd, POLLIN, 0 };
        const int ms = static_cast<int>(std::ceil(left * 1000.0));
        if (::poll(&p, g_driven.fd >= 0 ? 1 : 0, ms) > 0) {
            if (p.revents & POLLIN)
                readCommands();
            else if (p.revents & (POLLHUP | POLLERR))
                g_driven.fd = -1;   // standard input ended: no more commands
        }
    }
}

bool openControl(const std::string& path)
{
    g_driven.on = true;
    if (path == "-") {
        g_driven.fd = 0;
    } else {
        if (::mkfifo(path.c_str(), 0600) != 0 && errno != EEXIST) {
            std::fprintf(stderr, "benchsim: %s: %s\n", path.c_str(), std::strerror(errno));
            return false;
        }
        // Read and write: the FIFO then never reads as ended between two
        // writers, and opening it does not wait for the first.
        g_driven.fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
        if (g_driven.fd < 0) {
            std::fprintf(stderr, "benchsim: %s: %s\n", path.c_str(), std::strerror(errno));
            return false;
        }
        return true;
    }
    ::fcntl(0, F_SETFL, ::fcntl(0, F_GETFL) | O_NONBLOCK);
    return true;
}

speed_t speedConstant(long baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B9600;
    }
}

bool makeRaw(int fd, long baud)
{
    termios t {};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&t, speedConstant(baud));
    cfsetospeed(&t, speedConstant(baud));
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

// The reading sequence: value of reading number i, at time t since the start.
class Sequence {
public:
    bool parse(const std::string& text, const Options& o)
    {
        std::vector<std::string> parts;
        std::string::size_type from = 0;
        for (;;) {
            const auto colon = text.find(':', from);
            parts.push_back(text.substr(from, colon == std::string::npos ? std::string::npos : colon - from));
            if (colon == std::string::npos)
                break;
            from = colon + 1;
        }
        kind_ = parts[0];
        o_ = o;
        if (kind_ == "shaft")
            return parts.size() <= 2 && parseShaft(parts.size() == 2 ? parts[1] : std::string());
        std::vector<double> args;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            char* end = nullptr;
            const double v = std::strtod(parts[i].c_str(), &end);
            if (parts[i].empty() || *end != '\0' || !std::isfinite(v))
                return false;
            args.push_back(v);
        }
        if (kind_ == "constant" && args.size() == 1) {
            a_ = args[0];
        } else if (kind_ == "ramp" && args.size() == 3 && args[2] >= 1) {
            a_ = args[0];
            b_ = args[1];
            steps_ = static_cast<long>(args[2]);
        } else if (kind_ == "profile" && (args.empty() || args.size() == 2)) {
            a_ = args.empty() ? 20.0 : args[0];
            b_ = args.empty() ? 120.0 : args[1];
        } else if (kind_ == "settle" && !args.empty()) {
            loads_ = args;
        } else if (kind_ == "sine" && (args.size() == 2 || args.size() == 3)) {
            a_ = args[0];
            b_ = args[1];
            cycles_ = args.size() == 3 ? args[2] : 2.0;
        } else {
            return false;
        }
        return true;
    }

    // Called once a reading, in time order: the load cell's state moves on.
    double value(long i, double t)
    {
        const Driven& d = g_driven;
        const long held = d.on ? d.position : o_.hold > 0 ? static_cast<long>(t / o_.hold) : i;
        movedAt_ = d.on ? d.movedAt : static_cast<double>(held) * o_.hold;
        if (d.on && d.pinned)
            return follow(d.load, t, 0.5, true);
        if (kind_ == "ramp") {
            if (steps_ <= 1)
                return a_;
            return a_ + (b_ - a_) * static_cast<double>(i % steps_) / static_cast<double>(steps_ - 1);
        }
        if (kind_ == "profile") {
            // Stiffer towards the butt, with a soft spot a third of the way
            // from the tip where a shaft's kick point sits.
            const int n = o_.positions > 1 ? o_.positions : 2;
            const double x = static_cast<double>(held % n) / (n - 1);
            return a_ + (b_ - a_) * (std::pow(x, 1.8) - 0.06 * std::sin(kPi * x * 1.5) * (1 - x));
        }
        if (kind_ == "settle") {
            // The operator moves the shaft on every --hold seconds; the load
            // cell follows with a time constant of half a second.
            const std::size_t n = loads_.size();
            // After the last load the shaft stays where it is, and a load
            // repeated is the shaft left where it was: no move, no dip.
            const std::size_t k = std::min(static_cast<std::size_t>(held), n - 1);
            return follow(loads_[k], t, 0.5, static_cast<std::size_t>(held) == k && k > 0 && loads_[k] != loads_[k - 1]);
        }
        if (kind_ == "sine") {
            const double angle = std::fmod(static_cast<double>(held) * o_.step, 360.0);
            return a_ + b_ * std::sin(cycles_ * angle * kPi / 180.0);
        }
        if (kind_ == "shaft") {
            // The stiff plane repeats every half turn, a bend once a turn.
            const double angle = std::fmod(static_cast<double>(held) * o_.step, 360.0) * kPi / 180.0;
            const double load = a_ * (1.0 + spine_ / 200.0 * std::cos(2.0 * (angle - spineAt_))) + bend_ * std::cos(angle - bendAt_);
            return follow(load, t, 0.2, held > 0);
        }
        return a_;
    }

    // Noise of the sequence itself (shaft:...,noise=SD), on top of --noise.
    double noise() const { return noise_; }

private:
    // What the load cell reads at `t` with `load` on it. Moving the shaft
    // there (`moved`, at the last move) first takes --dip
    // off the load for a few tenths of a second; the cell follows what is on
    // it with the time constant `tau`.
    double follow(double load, double t, double tau, bool moved)
    {
        if (!started_) {
            started_ = true;
            level_ = load;
            at_ = t;
        }
        const double since = t - movedAt_;
        const bool dipping = moved && (o_.hold > 0 || g_driven.on) && since < o_.dipSeconds;
        const double target = dipping ? load * (1.0 - o_.dip / 100.0) : load;
        level_ += (target - level_) * (1.0 - std::exp(-std::max(t - at_, 0.0) / tau));
        at_ = t;
        return level_;
    }

    // spine=PERCENT@DEG,bend=AMPLITUDE@DEG,noise=SD,mean=LOAD,step=DEG, each
    // optional; the spine percentage is peak to peak against the mean, as the
    // program's analysis reports it.
    bool parseShaft(const std::string& text)
    {
        a_ = 50.0;
        std::string::size_type from = 0;
        while (from < text.size()) {
            auto comma = text.find(',', from);
            if (comma == std::string::npos)
                comma = text.size();
            const std::string item = text.substr(from, comma - from);
            from = comma + 1;
            const auto eq = item.find('=');
            if (eq == std::string::npos)
                return false;
            const std::string key = item.substr(0, eq);
            const std::string value = item.substr(eq + 1);
            const auto at = value.find('@');
            const bool angled = key == "spine" || key == "bend";
            if (angled != (at != std::string::npos))
                return false;
            double v = 0, angle = 0;
            if (!number(value.substr(0, at), v) || (angled && !number(value.substr(at + 1), angle)))
                return false;
            angle *= kPi / 180.0;
            if (key == "spine" && v >= 0) {
                spine_ = v;
                spineAt_ = angle;
            } else if (key == "bend" && v >= 0) {
                bend_ = v;
                bendAt_ = angle;
            } else if (key == "noise" && v >= 0) {
                noise_ = v;
            } else if (key == "mean") {
                a_ = v;
            } else if (key == "step" && v > 0) {
                o_.step = v;
            } else {
                return false;
            }
        }
        return true;
    }

    static bool number(const std::string& text, double& v)
    {
        char* end = nullptr;
        v = std::strtod(text.c_str(), &end);
        return !text.empty() && *end == '\0' && std::isfinite(v);
    }


    Options o_;
    std::string kind_;
    double a_ = 0, b_ = 0, cycles_ = 2;
    std::vector<double> loads_;
    bool started_ = false;
    double level_ = 0, at_ = 0;   // the load cell's reading and when it was taken
    double movedAt_ = 0;          // when the shaft last moved
    double spine_ = 0, spineAt_ = 0, bend_ = 0, bendAt_ = 0, noise_ = 0;
    long steps_ = 1;
};

class Bench {
public:
    explicit Bench(const Options& o) : o_(o), rng_(o.seed) {}
    ~Bench() { hangUp(); }

    bool start()
    {
        if (!o_.device.empty())
            return startDevice();
        return startPseudoTerminal();
    }

    // Writes `bytes` as they would arrive over the wire starting at `t0`:
    // each piece is handed over when its last character has arrived.
    void send(const std::string& bytes, double t0)
    {
        const double charTime = 10.0 / static_cast<double>(o_.baud);
        std::vector<std::size_t> cuts;
        if (o_.split && bytes.size() > 1) {
            std::uniform_int_distribution<std::size_t> at(1, bytes.size() - 1);
            const int pieces = std::uniform_int_distribution<int>(2, 3)(rng_);
            for (int k = 1; k < pieces; ++k)
                cuts.push_back(at(rng_));
        }
        if (o_.chunk > 0)
            for (std::size_t c = static_cast<std::size_t>(o_.chunk); c < bytes.size(); c += static_cast<std::size_t>(o_.chunk))
                cuts.push_back(c);
        cuts.push_back(bytes.size());
        std::sort(cuts.begin(), cuts.end());
        std::size_t from = 0;
        for (const std::size_t to : cuts) {
            if (to <= from)
                continue;
            sleepUntil(t0 + static_cast<double>(to) * charTime);
            if (g_stop)
                return;
            writeOut(bytes.data() + from, to - from);
            from = to;
        }
    }

    void hangUp()
    {
        if (!linkPath_.empty()) {
            ::unlink(linkPath_.c_str());
            linkPath_.clear();
        }
        if (holder_ >= 0)
            ::close(holder_);
        if (fd_ >= 0)
            ::close(fd_);
        holder_ = fd_ = -1;
    }

    long overrun() const { return overrun_; }

private:
    bool startDevice()
    {
        fd_ = ::open(o_.device.c_str(), O_WRONLY | O_NOCTTY);
        if (fd_ < 0) {
            std::fprintf(stderr, "benchsim: %s: %s\n", o_.device.c_str(), std::strerror(errno));
            return false;
        }
        makeRaw(fd_, o_.baud);
        std::printf("%s\n", o_.device.c_str());
        std::fflush(stdout);
        return true;
    }

    bool startPseudoTerminal()
    {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
            std::fprintf(stderr, "benchsim: no pseudo-terminal: %s\n", std::strerror(errno));
            return false;
        }
        const char* slave = ptsname(fd_);
        if (!slave)
            return false;
        // Holding the far end open keeps it configured between the program's
        // opens and closes: raw, so nothing is echoed back or translated.
        holder_ = ::open(slave, O_RDWR | O_NOCTTY);
        if (holder_ < 0 || !makeRaw(holder_, o_.baud)) {
            std::fprintf(stderr, "benchsim: %s: %s\n", slave, std::strerror(errno));
            return false;
        }
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);

        const std::string folder = tarvex::PortLinkFolder();
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            std::fprintf(stderr, "benchsim: %s: %s\n", folder.c_str(), std::strerror(errno));
            return false;
        }
        struct stat st {};
        if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()
            || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
            std::fprintf(stderr, "benchsim: %s is not a private folder of this user; remove it\n", folder.c_str());
            return false;
        }
        const std::string path = folder + "/" + o_.link;
        if (o_.link.empty() || o_.link.find('/') != std::string::npos || o_.link[0] == '.') {
            std::fprintf(stderr, "benchsim: bad port name '%s'\n", o_.link.c_str());
            return false;
        }
        struct stat old {};
        if (::lstat(path.c_str(), &old) == 0) {
            struct stat target {};
            // A link left by a simulator that was killed leads nowhere; one
            // that leads to a live terminal belongs to another simulator.
            if (::stat(path.c_str(), &target) == 0 && S_ISCHR(target.st_mode)) {
                std::fprintf(stderr, "benchsim: %s is in use; choose another --link NAME or remove it\n", path.c_str());
                return false;
            }
            ::unlink(path.c_str());
        }
        if (::symlink(slave, path.c_str()) != 0) {
            std::fprintf(stderr, "benchsim: %s: %s\n", path.c_str(), std::strerror(errno));
            return false;
        }
        linkPath_ = path;
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        if (!o_.quiet)
            std::fprintf(stderr, "benchsim: bench on %s (%s), %ld baud; choose it in the program's port list\n",
                         path.c_str(), slave, o_.baud);
        return true;
    }

    void writeOut(const char* data, std::size_t size)
    {
        // Nobody listening on a real line loses the characters; a
        // pseudo-terminal would keep them and deliver them stale at the next
        // open. So keep at most a second's worth waiting.
        if (holder_ >= 0) {
            int waiting = 0;
            const long keep = std::min(o_.baud / 10, 2048L);
            if (::ioctl(holder_, TIOCINQ, &waiting) == 0 && waiting > keep)
                ::tcflush(holder_, TCIFLUSH);
        }
        while (size > 0 && !g_stop) {
            const ssize_t n = ::write(fd_, data, size);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                overrun_ += static_cast<long>(size);   // full: lost like on a wire
                return;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }

    Options o_;
    std::mt19937 rng_;
    int fd_ = -1;
    int holder_ = -1;
    std::string linkPath_;
    long overrun_ = 0;

public:
    std::mt19937& rng() { return rng_; }
};

std::string formatReading(double v, const Options& o)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", o.decimals, v);
    return text + o.unit;
}

// A burst of bytes a disturbed line delivers: anything but CR and LF.
std::string noiseBytes(std::mt19937& rng, int n)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s;
    while (static_cast<int>(s.size()) < n) {
        const int b = byte(rng);
        if (b != '\r' && b != '\n')
            s.push_back(static_cast<char>(b));
    }
    return s;
}

bool parseArgs(int argc, char** argv, Options& o)
{
    auto need = [&](int& i) -> const char* {
        if (i + 1 >= argc) {
            std::fprintf(stderr, "benchsim: %s needs a value\n", argv[i]);
            std::exit(2);
        }
        return argv[++i];
    };
    auto number = [&](int& i) -> double {
        const char* name = argv[i];
        const char* text = need(i);
        char* end = nullptr;
        const double v = std::strtod(text, &end);
        if (*text == '\0' || *end != '\0' || !std::isfinite(v)) {
            std::fprintf(stderr, "benchsim: %s: not a number: %s\n", name, text);
            std::exit(2);
        }
        return v;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            std::exit(0);
        } else if (a == "--device") {
            o.device = need(i);
        } else if (a == "--link") {
            o.link = need(i);
        } else if (a == "--sequence") {
            o.sequence = need(i);
        } else if (a == "--hold") {
            o.hold = number(i);
        } else if (a == "--step") {
            o.step = number(i);
        } else if (a == "--positions") {
            o.positions = static_cast<int>(number(i));
        } else if (a == "--rate") {
            o.rate = number(i);
        } else if (a == "--baud") {
            o.baud = static_cast<long>(number(i));
        } else if (a == "--decimals") {
            o.decimals = static_cast<int>(number(i));
        } else if (a == "--noise") {
            o.noise = number(i);
        } else if (a == "--dip") {
            const std::string text = need(i);
            char* end = nullptr;
            o.dip = std::strtod(text.c_str(), &end);
            if (*end == ':')
                o.dipSeconds = std::strtod(end + 1, &end);
            if (text.empty() || *end != '\0' || !std::isfinite(o.dip) || !std::isfinite(o.dipSeconds)) {
                std::fprintf(stderr, "benchsim: --dip: not PERCENT[:SEC]: %s\n", text.c_str());
                std::exit(2);
            }
        } else if (a == "--unit") {
            o.unit = need(i);
        } else if (a == "--split") {
            o.split = true;
        } else if (a == "--chunk") {
            o.chunk = static_cast<int>(number(i));
        } else if (a == "--garbage") {
            o.garbage = number(i);
        } else if (a == "--endless") {
            o.endless = true;
        } else if (a == "--count") {
            o.count = static_cast<long>(number(i));
        } else if (a == "--hangup-after") {
            o.hangupAfter = number(i);
        } else if (a == "--delay") {
            o.delay = number(i);
        } else if (a == "--seed") {
            o.seed = static_cast<unsigned>(number(i));
        } else if (a == "--control") {
            o.control = need(i);
        } else if (a == "--quiet") {
            o.quiet = true;
        } else {
            std::fprintf(stderr, "benchsim: unknown option %s\n", a.c_str());
            usage(stderr);
            return false;
        }
    }
    if (o.baud <= 0 || o.rate < 0 || o.decimals < 0 || o.decimals > 15 || o.garbage < 0 || o.garbage > 1
        || o.dip < 0 || o.dip > 100 || o.dipSeconds < 0) {
        std::fprintf(stderr, "benchsim: an option is out of range\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parseArgs(argc, argv, o))
        return 2;
    Sequence sequence;
    if (!sequence.parse(o.sequence, o)) {
        std::fprintf(stderr, "benchsim: bad --sequence %s\n", o.sequence.c_str());
        return 2;
    }

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    if (!o.control.empty() && !openControl(o.control))
        return 1;
    g_driven.noise = o.noise;
    g_driven.garbage = o.garbage;
    Bench bench(o);
    if (!bench.start())
        return 1;

    const double start = monotonicNow();
    g_start = start;
    const double end = o.hangupAfter >= 0 ? start + o.hangupAfter : INFINITY;
    const double charTime = 10.0 / static_cast<double>(o.baud);
    // Independent noises add up in their squares.
    double noiseSd = std::hypot(std::max(o.noise, 0.0), sequence.noise());
    std::normal_distribution<double> noise(0.0, noiseSd > 0 ? noiseSd : 1.0);
    std::uniform_real_distribution<double> chance(0.0, 1.0);

    sleepUntil(start + o.delay);
    double t = monotonicNow();
    long sent = 0;
    while (!g_stop && (o.count < 0 || sent < o.count) && t < end) {
        if (g_driven.paused) {
            t = monotonicNow() + 0.05;
            sleepUntil(t);
            continue;
        }
        if (g_driven.noiseChanged) {
            g_driven.noiseChanged = false;
            noiseSd = std::hypot(g_driven.noise, sequence.noise());
            noise = std::normal_distribution<double>(0.0, noiseSd > 0 ? noiseSd : 1.0);
        }
        std::string line;
        if (o.endless) {
            line = noiseBytes(bench.rng(), 16);
        } else {
            double v = sequence.value(sent, t - start);
            if (noiseSd > 0)
                v += noise(bench.rng());
            line = formatReading(v, o);
            if (g_driven.garbage > 0 && chance(bench.rng()) < g_driven.garbage) {
                const auto at = std::uniform_int_distribution<std::size_t>(0, line.size())(bench.rng());
                line.insert(at, noiseBytes(bench.rng(), std::uniform_int_distribution<int>(1, 8)(bench.rng())));
            }
            line += "\r\n";
        }
        bench.send(line, t);
        ++sent;
        const double wire = static_cast<double>(line.size()) * charTime;
        const double period = (o.rate > 0 && !o.endless) ? std::max(1.0 / o.rate, wire) : wire;
        t += period;
        // Fell behind (a stopped process): start afresh rather than burst.
        if (monotonicNow() - t > 1.0)
            t = monotonicNow();
        sleepUntil(std::min(t, end));
    }
    if (!o.quiet)
        std::fprintf(stderr, "benchsim: hanging up after %ld %s%s\n", sent, o.endless ? "bursts" : "readings",
                     bench.overrun() > 0 ? " (some characters found the line full and were lost)" : "");
    bench.hangUp();
    return 0;
}
