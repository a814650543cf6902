// Draws the program's pictures from text descriptions in assets/art, at the
// scale of each screen size, so no picture is ever enlarged and blurred.
//
//   quoli-art picture [--scale S] [--format bmp24|bmp8|program|png] [--transparent N]
//                     [-F FONTDIR]... IN.art OUT.bmp
//   quoli-art palette OUT.pal
//
// A description is a list of commands, one a line ('#' starts a comment):
//   size W H                  the picture at scale 1
//   background #rrggbb|none   none: transparent (8-bit pictures only)
//   fill #rrggbb|none         the colour shapes are filled with
//   line #rrggbb W | none     the outline shapes get, W wide
//   origin X Y                added to the coordinates that follow
//   rotate DEG CX CY          turns what follows about (CX, CY), clockwise
//   stretch SX SY CX CY       stretches what follows about (CX, CY)
//   reset                     forgets origin, rotations and stretches
//   include FILE              draws another description's commands here
//                             (FILE is relative to this one; no size in it)
//   circle CX CY R, ellipse CX CY RX RY, rect X0 Y0 X1 Y1,
//   roundrect X0 Y0 X1 Y1 R, poly X Y X Y ..., path X Y X Y ... (outline only),
//   arc CX CY RX RY A0 A1 (outline only, degrees clockwise from 3 o'clock),
//   vgradient X0 Y0 X1 Y1 #top #bottom,
//   text CX CY SIZE FONTFILE the text   centred, in the fill colour
// Formats: bmp24 (opaque), bmp8 (a palette made for the picture, transparent
// pixels index 0), program (the program's palette, transparent pixels index N).

#include "Bitmap.h"
#include "Canvas.h"

#include "SDL.h"
#include "SDL_ttf.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Options {
    double scale = 1;
    std::string format = "bmp24";
    int transparent = 0;
    std::vector<std::string> fontFolders;
    std::string input, output;
};

// x' = a x + b y + c, y' = d x + e y + f, applied before the origin.
struct Affine {
    double a = 1, b = 0, c = 0, d = 0, e = 1, f = 0;
    Point Apply(double x, double y) const { return {a * x + b * y + c, d * x + e * y + f}; }
    // This transform applied after `inner`.
    Affine After(const Affine& inner) const
    {
        return {a * inner.a + b * inner.d, a * inner.b + b * inner.e, a * inner.c + b * inner.f + c,
                d * inner.a + e * inner.d, d * inner.b + e * inner.e, d * inner.c + e * inner.f + f};
    }
};

struct State {
    double scale = 1;
    double ox = 0, oy = 0;
    Affine transform;
    std::optional<Rgb> fill;
    std::optional<Rgb> line;
    double lineWidth = 1;
};

bool ParseColour(const std::string& text, std::optional<Rgb>& colour)
{
    if (text == "none") {
        colour.reset();
        return true;
    }
    if (text.size() != 7 || text[0] != '#')
        return false;
    unsigned value = 0;
    if (std::sscanf(text.c_str() + 1, "%x", &value) != 1)
        return false;
    colour = Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value)};
    return true;
}

class Painter {
public:
    Painter(const Options& options) : options_(options) {}

    bool Run(std::istream& in, const std::string& name, int depth = 0)
    {
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            where_ = name + ":" + std::to_string(number) + ": ";
            if (line.rfind("include ", 0) == 0) {
                if (!Include(line.substr(8), name, depth))
                    return false;
                continue;
            }
            std::string command;
            std::istringstream words(line);
            if (!(words >> command) || command[0] == '#')
                continue;
            if (!Command(command, words, line))
                return false;
        }
        if (!canvas_) {
            std::cerr << options_.input << ": no size given\n";
            return false;
        }
        return true;
    }

    Picture Result() const { return {canvas_->Width(), canvas_->Height(), canvas_->Resolve()}; }
    std::optional<Rgb> Background() const { return background_; }

private:
    bool Fail(const std::string& message)
    {
        std::cerr << where_ << message << "\n";
        return false;
    }

    bool Include(std::string file, const std::string& from, int depth)
    {
        file.erase(0, file.find_first_not_of(' '));
        file.erase(file.find_last_not_of(" \r") + 1);
        std::string folder = from.substr(0, from.find_last_of('/') + 1);
        std::ifstream in(folder + file);
        if (!in)
            return Fail("cannot read " + folder + file);
        if (depth > 8)
            return Fail("includes nested too deeply");
        std::string where = where_;
        bool ok = Run(in, folder + file, depth + 1);
        where_ = where;
        return ok;
    }

    Point P(double x, double y) const
    {
        Point t = state_.transform.Apply(x, y);
        return {(t.x + state_.ox) * state_.scale, (t.y + state_.oy) * state_.scale};
    }
    double S(double v) const { return v * state_.scale; }
    // Outline points given about a centre in description units, transformed.
    std::vector<Point> Transformed(const std::vector<Point>& local) const
    {
        std::vector<Point> out;
        out.reserve(local.size());
        for (const Point& p : local)
            out.push_back(P(p.x, p.y));
        return out;
    }

    void Paint(const std::vector<Point>& outline, bool closed = true)
    {
        if (state_.fill && closed)
            canvas_->FillPolygon(outline, *state_.fill);
        if (state_.line)
            canvas_->StrokePath(outline, closed, std::max(1.0, S(state_.lineWidth)), *state_.line);
    }

    bool Numbers(std::istream& words, std::vector<double>& values, std::size_t count)
    {
        double v;
        while (values.size() < count && words >> v)
            values.push_back(v);
        return values.size() == count;
    }

    bool Command(const std::string& command, std::istream& words, const std::string& line)
    {
        std::vector<double> v;
        if (command == "size") {
            if (!Numbers(words, v, 2))
                return Fail("size W H");
            state_.scale = options_.scale;
            canvas_.emplace(static_cast<int>(std::lround(v[0] * options_.scale)),
                            static_cast<int>(std::lround(v[1] * options_.scale)));
            return true;
        }
        if (!canvas_)
            return Fail("size must come first");
        std::string a, b;
        if (command == "background") {
            words >> a;
            if (!ParseColour(a, background_))
                return Fail("background #rrggbb or none");
            if (background_)
                canvas_->FillPolygon({{0, 0}, {1.0 * canvas_->Width(), 0},
                                      {1.0 * canvas_->Width(), 1.0 * canvas_->Height()}, {0, 1.0 * canvas_->Height()}},
                                     *background_);
            return true;
        }
        if (command == "fill") {
            words >> a;
            return ParseColour(a, state_.fill) || Fail("fill #rrggbb or none");
        }
        if (command == "line") {
            words >> a;
            if (!ParseColour(a, state_.line))
                return Fail("line #rrggbb WIDTH or none");
            if (state_.line && !(words >> state_.lineWidth))
                return Fail("line #rrggbb WIDTH");
            return true;
        }
        if (command == "origin") {
            if (!Numbers(words, v, 2))
                return Fail("origin X Y");
            state_.ox = v[0];
            state_.oy = v[1];
            return true;
        }
        if (command == "rotate" || command == "stretch") {
            bool rotate = command == "rotate";
            if (!Numbers(words, v, rotate ? 3 : 4))
                return Fail(rotate ? "rotate DEG CX CY" : "stretch SX SY CX CY");
            double cx = v[rotate ? 1 : 2], cy = v[rotate ? 2 : 3];
            Affine m;
            if (rotate) {
                double r = v[0] * M_PI / 180, cs = std::cos(r), sn = std::sin(r);
                m = {cs, -sn, cx - cs * cx + sn * cy, sn, cs, cy - sn * cx - cs * cy};
            } else {
                m = {v[0], 0, cx - v[0] * cx, 0, v[1], cy - v[1] * cy};
            }
            state_.transform = state_.transform.After(m);
            return true;
        }
        if (command == "reset") {
            state_.transform = Affine{};
            state_.ox = state_.oy = 0;
            return true;
        }
        if (command == "circle" || command == "ellipse") {
            bool circle = command == "circle";
            if (!Numbers(words, v, circle ? 3 : 4))
                return Fail(command + " needs numbers");
            Paint(Transformed(EllipsePoints(v[0], v[1], v[2], circle ? v[2] : v[3])));
            return true;
        }
        if (command == "rect" || command == "roundrect") {
            bool round = command == "roundrect";
            if (!Numbers(words, v, round ? 5 : 4))
                return Fail(command + " needs numbers");
            if (round)
                Paint(Transformed(RoundRectPoints(v[0], v[1], v[2], v[3], v[4])));
            else
                Paint(Transformed({{v[0], v[1]}, {v[2], v[1]}, {v[2], v[3]}, {v[0], v[3]}}));
            return true;
        }
        if (command == "poly" || command == "path") {
            double x, y;
            std::vector<Point> points;
            while (words >> x >> y)
                points.push_back(P(x, y));
            if (points.size() < 2)
                return Fail(command + " needs at least two points");
            Paint(points, command == "poly");
            return true;
        }
        if (command == "arc") {
            if (!Numbers(words, v, 6))
                return Fail("arc CX CY RX RY A0 A1");
            Paint(Transformed(ArcPoints(v[0], v[1], v[2], v[3], v[4], v[5])), false);
            return true;
        }
        if (command == "vgradient") {
            if (!Numbers(words, v, 4))
                return Fail("vgradient X0 Y0 X1 Y1 #top #bottom");
            std::optional<Rgb> top, bottom;
            words >> a >> b;
            if (!ParseColour(a, top) || !ParseColour(b, bottom) || !top || !bottom)
                return Fail("vgradient needs two colours");
            Point p0 = P(v[0], v[1]), p1 = P(v[2], v[3]);
            int rows = std::max(1, static_cast<int>(std::lround(p1.y - p0.y)));
            for (int i = 0; i < rows; ++i) {
                double t = rows > 1 ? static_cast<double>(i) / (rows - 1) : 0;
                auto mix = [t](int c0, int c1) { return static_cast<std::uint8_t>(std::lround(c0 + (c1 - c0) * t)); };
                Rgb c{mix(top->r, bottom->r), mix(top->g, bottom->g), mix(top->b, bottom->b)};
                double y = p0.y + (p1.y - p0.y) * i / rows;
                double y2 = p0.y + (p1.y - p0.y) * (i + 1) / rows;
                canvas_->FillPolygon({{p0.x, y}, {p1.x, y}, {p1.x, y2}, {p0.x, y2}}, c);
            }
            return true;
        }
        if (command == "text")
            return Text(words, line);
        return Fail("unknown command " + command);
    }

    bool Text(std::istream& words, const std::string& line)
    {
        std::vector<double> v;
        std::string fontFile;
        if (!Numbers(words, v, 3) || !(words >> fontFile))
            return Fail("text CX CY SIZE FONTFILE the text");
        std::string text;
        std::getline(words, text);
        std::size_t start = text.find_first_not_of(' ');
        text = start == std::string::npos ? "" : text.substr(start);
        if (!state_.fill)
            return Fail("text needs a fill colour");
        TTF_Font* font = nullptr;
        for (const std::string& folder : options_.fontFolders)
            if ((font = TTF_OpenFont((folder + "/" + fontFile).c_str(), static_cast<int>(std::lround(S(v[2]))))))
                break;
        if (!font)
            return Fail("cannot open font " + fontFile);
        SDL_Color colour = {state_.fill->r, state_.fill->g, state_.fill->b, 0};
        SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(), colour);
        TTF_CloseFont(font);
        if (!s)
            return Fail("cannot render text");
        std::vector<Pixel> image(static_cast<std::size_t>(s->w) * s->h);
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                Uint32 p = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
                Uint8 r, g, b, a;
                SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
                image[static_cast<std::size_t>(y) * s->w + x] = {{r, g, b}, a};
            }
        SDL_UnlockSurface(s);
        Point c = P(v[0], v[1]);
        canvas_->Blend(static_cast<int>(std::lround(c.x - s->w / 2.0)), static_cast<int>(std::lround(c.y - s->h / 2.0)),
                       s->w, s->h, image);
        SDL_FreeSurface(s);
        (void)line;
        return true;
    }

    const Options& options_;
    State state_;
    std::optional<Canvas> canvas_;
    std::optional<Rgb> background_;
    std::string where_;
};

int DrawPicture(const Options& options)
{
    std::ifstream in(options.input);
    if (!in) {
        std::cerr << options.input << ": cannot read\n";
        return 1;
    }
    Painter painter(options);
    if (!painter.Run(in, options.input))
        return 1;
    Picture picture = painter.Result();
    bool ok = false;
    if (options.format == "bmp24") {
        ok = WriteBmp24(options.output, picture, painter.Background().value_or(Rgb{255, 0, 255}));
    } else if (options.format == "bmp8") {
        std::vector<Rgb> palette{Rgb{255, 0, 255}};
        for (const Rgb& c : MedianCutPalette(picture, 255))
            palette.push_back(c);
        ok = WriteBmp8(options.output, picture, palette, 0);
    } else if (options.format == "program") {
        ok = WriteBmp8(options.output, picture, ProgramPalette(), options.transparent);
    } else if (options.format == "png") {
        ok = WritePng(options.output, picture);
    } else {
        std::cerr << "unknown format " << options.format << "\n";
        return 2;
    }
    if (!ok)
        std::cerr << options.output << ": cannot write\n";
    return ok ? 0 : 1;
}

int Palette(const char* output)
{
    std::vector<unsigned char> bytes;
    for (const Rgb& c : ProgramPalette()) {
        bytes.push_back(c.r);
        bytes.push_back(c.g);
        bytes.push_back(c.b);
    }
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "palette" && argc == 3)
        return Palette(argv[2]);
    if (verb != "picture") {
        std::cerr << "usage: quoli-art picture [--scale S] [--format F] [--transparent N] [-F DIR]... IN OUT\n"
                     "       quoli-art palette OUT\n";
        return 2;
    }
    Options options;
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--scale" && i + 1 < argc)
            options.scale = std::atof(argv[++i]);
        else if (arg == "--format" && i + 1 < argc)
            options.format = argv[++i];
        else if (arg == "--transparent" && i + 1 < argc)
            options.transparent = std::atoi(argv[++i]);
        else if (arg == "-F" && i + 1 < argc)
            options.fontFolders.push_back(argv[++i]);
        else
            files.push_back(arg);
    }
    if (files.size() != 2 || options.scale <= 0) {
        std::cerr << "quoli-art picture: give one description and one output\n";
        return 2;
    }
    options.input = files[0];
    options.output = files[1];
    if (TTF_Init() != 0) {
        std::cerr << "TTF_Init: " << TTF_GetError() << "\n";
        return 1;
    }
    int status = DrawPicture(options);
    TTF_Quit();
    return status;
}
