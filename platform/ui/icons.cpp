#include "ui/icons.h"

#include "ui/color.h"
#include "ui/geometry.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>
#include <utility>

#include <cairo.h>

namespace ui {

namespace {

    constexpr double pi = std::numbers::pi;
    constexpr double grid = 24;
    constexpr double stroke_width = 1.75;

    // Paths on the 24-unit grid. Every shape is stroked with round caps and
    // joins; `soft_fill` adds a faint tint inside closed outlines.
    class Pen {
    public:
        Pen(cairo_t* cr, Color color)
            : m_cr(cr)
            , m_color(color)
        {
        }

        Pen& move(double x, double y)
        {
            cairo_move_to(m_cr, x, y);
            return *this;
        }
        Pen& to(double x, double y)
        {
            cairo_line_to(m_cr, x, y);
            return *this;
        }
        Pen& close()
        {
            cairo_close_path(m_cr);
            return *this;
        }
        Pen& arc(double cx, double cy, double r, double from, double to_angle)
        {
            cairo_arc(m_cr, cx, cy, r, from, to_angle);
            return *this;
        }
        Pen& curve(double x1, double y1, double x2, double y2, double x3, double y3)
        {
            cairo_curve_to(m_cr, x1, y1, x2, y2, x3, y3);
            return *this;
        }
        // A corner from the current point through (cx, cy) towards (x, y).
        Pen& corner(double cx, double cy, double x, double y)
        {
            double x0, y0;
            cairo_get_current_point(m_cr, &x0, &y0);
            double k = 0.5523;
            return curve(x0 + (cx - x0) * k, y0 + (cy - y0) * k, x + (cx - x) * k, y + (cy - y) * k, x, y);
        }
        Pen& rounded(double left, double top, double right, double bottom, double r)
        {
            cairo_new_sub_path(m_cr);
            cairo_arc(m_cr, right - r, top + r, r, -pi / 2, 0);
            cairo_arc(m_cr, right - r, bottom - r, r, 0, pi / 2);
            cairo_arc(m_cr, left + r, bottom - r, r, pi / 2, pi);
            cairo_arc(m_cr, left + r, top + r, r, pi, 3 * pi / 2);
            cairo_close_path(m_cr);
            return *this;
        }
        Pen& circle(double cx, double cy, double r)
        {
            cairo_new_sub_path(m_cr);
            cairo_arc(m_cr, cx, cy, r, 0, 2 * pi);
            return *this;
        }
        void stroke()
        {
            set(1);
            cairo_stroke(m_cr);
        }
        void soft_fill()
        {
            set(0.14);
            cairo_fill_preserve(m_cr);
            stroke();
        }
        void fill()
        {
            set(1);
            cairo_fill(m_cr);
        }
        void dot(double cx, double cy, double r = 1.1) { circle(cx, cy, r).fill(); }
        void segment(double x1, double y1, double x2, double y2) { move(x1, y1).to(x2, y2).stroke(); }
        // An open chevron at (x, y) pointing along `angle`.
        void arrow_head(double x, double y, double angle, double size = 3.2)
        {
            double back = angle + pi;
            move(x + size * std::cos(back - 0.8), y + size * std::sin(back - 0.8))
                .to(x, y)
                .to(x + size * std::cos(back + 0.8), y + size * std::sin(back + 0.8))
                .stroke();
        }

    private:
        void set(double alpha) { cairo_set_source_rgba(m_cr, m_color.r, m_color.g, m_color.b, m_color.a * alpha); }

        cairo_t* m_cr;
        Color m_color;
    };

    void page(Pen& p, bool soft = true)
    {
        p.move(14, 2.5).to(7, 2.5).corner(5, 2.5, 5, 4.5).to(5, 19.5).corner(5, 21.5, 7, 21.5).to(17, 21.5);
        p.corner(19, 21.5, 19, 19.5).to(19, 7.5).close();
        if (soft)
            p.soft_fill();
        else
            p.stroke();
        p.move(14, 2.5).to(14, 7.5).to(19, 7.5).stroke();
    }

    void cloud(Pen& p)
    {
        p.move(7, 18.5).arc(7, 14.5, 4, pi / 2, 3 * pi / 2).arc(12.5, 10.5, 5, 1.12 * pi, 1.95 * pi);
        p.arc(17.5, 14.5, 4, -0.38 * pi, pi / 2).close().stroke();
    }

    void shape_folder(Pen& p)
    {
        p.move(2.5, 6.5).corner(2.5, 4.5, 4.5, 4.5).to(9, 4.5).to(11, 6.5).to(19.5, 6.5).corner(21.5, 6.5, 21.5, 8.5);
        p.to(21.5, 17.5).corner(21.5, 19.5, 19.5, 19.5).to(4.5, 19.5).corner(2.5, 19.5, 2.5, 17.5).close().soft_fill();
        p.segment(2.5, 9.5, 21.5, 9.5);
    }

    void shape_star(Pen& p)
    {
        for (int i = 0; i < 10; ++i) {
            double r = i % 2 == 0 ? 9.5 : 4.2;
            double angle = -pi / 2 + i * pi / 5;
            double x = 12 + r * std::cos(angle);
            double y = 12.8 + r * std::sin(angle);
            if (i == 0)
                p.move(x, y);
            else
                p.to(x, y);
        }
        p.close().stroke();
    }

    void shape_file_text(Pen& p)
    {
        page(p);
        p.segment(8.5, 12.5, 15.5, 12.5);
        p.segment(8.5, 15.5, 15.5, 15.5);
        p.segment(8.5, 18.5, 12.5, 18.5);
    }

    void shape_file_image(Pen& p)
    {
        page(p);
        p.circle(9.5, 11.5, 1.4).stroke();
        p.move(8, 18.5).to(11.5, 14.5).to(13.5, 16.5).to(14.8, 15.2).to(16, 16.5).stroke();
    }

    void shape_file_audio(Pen& p)
    {
        page(p);
        p.move(14, 17).to(14, 10.5).to(16.5, 11.5).stroke();
        p.circle(12.2, 17, 1.8).stroke();
    }

    void shape_file_video(Pen& p)
    {
        page(p);
        p.move(10, 11.5).to(15.5, 15).to(10, 18.5).close().stroke();
    }

    void shape_file_archive(Pen& p)
    {
        page(p);
        p.segment(10.5, 5, 12, 5);
        p.segment(12, 7.5, 13.5, 7.5);
        p.segment(10.5, 10, 12, 10);
        p.rounded(10.25, 12.5, 13.75, 17.5, 1).stroke();
        p.segment(12, 15.5, 12, 15.5);
    }

    void shape_file_code(Pen& p)
    {
        page(p);
        p.move(10, 12).to(7.8, 15).to(10, 18).stroke();
        p.move(14, 12).to(16.2, 15).to(14, 18).stroke();
    }

    void shape_file_pdf(Pen& p)
    {
        page(p);
        p.rounded(7.5, 12, 16.5, 18.5, 1.5).fill();
    }

    void shape_home(Pen& p)
    {
        p.move(3.5, 11).to(12, 3.5).to(20.5, 11).stroke();
        p.move(5.5, 9.5).to(5.5, 18.5).corner(5.5, 20.5, 7.5, 20.5).to(16.5, 20.5).corner(18.5, 20.5, 18.5, 18.5);
        p.to(18.5, 9.5).stroke();
        p.move(10, 20.5).to(10, 15).to(14, 15).to(14, 20.5).stroke();
    }

    void shape_documents(Pen& p)
    {
        p.rounded(5, 2.5, 19, 21.5, 2).soft_fill();
        p.segment(8.5, 7.5, 15.5, 7.5);
        p.segment(8.5, 11.5, 15.5, 11.5);
        p.segment(8.5, 15.5, 12.5, 15.5);
    }

    void shape_downloads(Pen& p)
    {
        p.segment(12, 3.5, 12, 14.5);
        p.move(7.5, 10).to(12, 14.5).to(16.5, 10).stroke();
        p.move(4, 15.5)
            .to(4, 18.5)
            .corner(4, 20.5, 6, 20.5)
            .to(18, 20.5)
            .corner(20, 20.5, 20, 18.5)
            .to(20, 15.5)
            .stroke();
    }

    void shape_pictures(Pen& p)
    {
        p.rounded(3, 4.5, 21, 19.5, 2.5).soft_fill();
        p.circle(8.5, 9.5, 1.6).stroke();
        p.move(3.5, 17.5).to(9, 12.5).to(13, 16).to(16, 13.5).to(20.5, 17.5).stroke();
    }

    void shape_music(Pen& p)
    {
        p.move(9, 17.5).to(9, 5.5).to(19.5, 3.5).to(19.5, 15.5).stroke();
        p.segment(9, 9, 19.5, 7);
        p.circle(6.75, 17.5, 2.25).stroke();
        p.circle(17.25, 15.5, 2.25).stroke();
    }

    void shape_videos(Pen& p)
    {
        p.rounded(3, 6.5, 15.5, 17.5, 2).soft_fill();
        p.move(15.5, 10.5).to(21, 7.5).to(21, 16.5).to(15.5, 13.5).stroke();
    }

    void shape_desktop(Pen& p)
    {
        p.rounded(3, 4, 21, 16, 2).soft_fill();
        p.segment(12, 16, 12, 20.5);
        p.segment(8, 20.5, 16, 20.5);
    }

    void shape_trash(Pen& p)
    {
        p.segment(4, 6.5, 20, 6.5);
        p.move(9.5, 6.5)
            .to(9.5, 5)
            .corner(9.5, 3.5, 11, 3.5)
            .to(13, 3.5)
            .corner(14.5, 3.5, 14.5, 5)
            .to(14.5, 6.5)
            .stroke();
        p.move(6, 6.5)
            .to(7, 19)
            .corner(7.2, 20.5, 8.7, 20.5)
            .to(15.3, 20.5)
            .corner(16.8, 20.5, 17, 19)
            .to(18, 6.5)
            .stroke();
        p.segment(10, 10.5, 10, 16.5);
        p.segment(14, 10.5, 14, 16.5);
    }

    void shape_root(Pen& p)
    {
        p.rounded(3, 13, 21, 20, 2).soft_fill();
        p.move(3.5, 13.5)
            .to(6.2, 6.6)
            .corner(6.6, 5.5, 7.8, 5.5)
            .to(16.2, 5.5)
            .corner(17.4, 5.5, 17.8, 6.6)
            .to(20.5, 13.5)
            .stroke();
        p.segment(7, 16.5, 11.5, 16.5);
        p.dot(17, 16.5);
    }

    void shape_workspace(Pen& p)
    {
        p.move(12, 3.5).to(21, 8).to(12, 12.5).to(3, 8).close().soft_fill();
        p.move(3, 12).to(12, 16.5).to(21, 12).stroke();
        p.move(3, 16).to(12, 20.5).to(21, 16).stroke();
    }

    void shape_remote(Pen& p)
    {
        p.rounded(3.5, 4, 20.5, 11, 2).stroke();
        p.rounded(3.5, 13, 20.5, 20, 2).stroke();
        p.dot(7.5, 7.5);
        p.dot(7.5, 16.5);
        p.segment(11.5, 7.5, 16.5, 7.5);
        p.segment(11.5, 16.5, 16.5, 16.5);
    }

    void shape_arrow_left(Pen& p)
    {
        p.segment(19, 12, 5, 12);
        p.move(11, 6).to(5, 12).to(11, 18).stroke();
    }

    void shape_arrow_right(Pen& p)
    {
        p.segment(5, 12, 19, 12);
        p.move(13, 6).to(19, 12).to(13, 18).stroke();
    }

    void shape_arrow_up(Pen& p)
    {
        p.segment(12, 19, 12, 5);
        p.move(6, 11).to(12, 5).to(18, 11).stroke();
    }

    void shape_chevron_right(Pen& p) { p.move(9.5, 6).to(15.5, 12).to(9.5, 18).stroke(); }

    void shape_chevron_down(Pen& p) { p.move(6, 9.5).to(12, 15.5).to(18, 9.5).stroke(); }

    void shape_list(Pen& p)
    {
        for (double y : { 6.5, 12.0, 17.5 }) {
            p.dot(4.5, y);
            p.segment(8.5, y, 20, y);
        }
    }

    void shape_grid(Pen& p)
    {
        p.rounded(3.5, 3.5, 10.5, 10.5, 1.5).stroke();
        p.rounded(13.5, 3.5, 20.5, 10.5, 1.5).stroke();
        p.rounded(3.5, 13.5, 10.5, 20.5, 1.5).stroke();
        p.rounded(13.5, 13.5, 20.5, 20.5, 1.5).stroke();
    }

    void shape_sort(Pen& p)
    {
        p.segment(8, 4.5, 8, 19.5);
        p.move(4.5, 8).to(8, 4.5).to(11.5, 8).stroke();
        p.segment(16, 19.5, 16, 4.5);
        p.move(12.5, 16).to(16, 19.5).to(19.5, 16).stroke();
    }

    void shape_more(Pen& p)
    {
        p.dot(5, 12, 1.6);
        p.dot(12, 12, 1.6);
        p.dot(19, 12, 1.6);
    }

    void shape_close(Pen& p)
    {
        p.segment(6, 6, 18, 18);
        p.segment(18, 6, 6, 18);
    }

    void shape_search(Pen& p)
    {
        p.circle(10.5, 10.5, 6.5).stroke();
        p.segment(15.5, 15.5, 20.5, 20.5);
    }

    void shape_check(Pen& p) { p.move(4.5, 12.5).to(9.5, 17.5).to(19.5, 6.5).stroke(); }

    void shape_plus(Pen& p)
    {
        p.segment(12, 5, 12, 19);
        p.segment(5, 12, 19, 12);
    }

    void shape_sync(Pen& p)
    {
        double r = 7.5;
        p.arc(12, 12, r, 1.1 * pi, 1.9 * pi).stroke();
        p.arrow_head(12 + r * std::cos(1.9 * pi), 12 + r * std::sin(1.9 * pi), 1.9 * pi + pi / 2);
        p.arc(12, 12, r, 0.1 * pi, 0.9 * pi).stroke();
        p.arrow_head(12 + r * std::cos(0.9 * pi), 12 + r * std::sin(0.9 * pi), 0.9 * pi + pi / 2);
    }

    void shape_cloud(Pen& p) { cloud(p); }

    void shape_cloud_off(Pen& p)
    {
        cloud(p);
        p.segment(3.5, 3.5, 20.5, 20.5);
    }

    void shape_pin(Pen& p)
    {
        p.segment(9, 3.5, 15, 3.5);
        p.move(10, 3.5)
            .to(10, 9)
            .to(6.5, 12.5)
            .to(6.5, 14.5)
            .to(17.5, 14.5)
            .to(17.5, 12.5)
            .to(14, 9)
            .to(14, 3.5)
            .stroke();
        p.segment(12, 14.5, 12, 20.5);
    }

    void shape_share(Pen& p)
    {
        p.circle(17.5, 5.5, 2.5).stroke();
        p.circle(6.5, 12, 2.5).stroke();
        p.circle(17.5, 18.5, 2.5).stroke();
        p.segment(8.7, 10.7, 15.3, 6.8);
        p.segment(8.7, 13.3, 15.3, 17.2);
    }

    void shape_conflict(Pen& p)
    {
        p.segment(4, 8, 17, 8);
        p.move(13, 4).to(17, 8).to(13, 12).stroke();
        p.segment(20, 16, 7, 16);
        p.move(11, 12).to(7, 16).to(11, 20).stroke();
    }

    void shape_warning(Pen& p)
    {
        p.move(12, 3.5).to(21.5, 20).to(2.5, 20).close().stroke();
        p.segment(12, 9.5, 12, 14);
        p.dot(12, 17);
    }

    void shape_error(Pen& p)
    {
        p.circle(12, 12, 9).stroke();
        p.segment(12, 7.5, 12, 12.5);
        p.dot(12, 16);
    }

    void shape_history(Pen& p)
    {
        p.arc(12, 12, 8.5, pi, 2.75 * pi).stroke();
        p.arrow_head(3.5, 12.4, pi / 2 + 0.15);
        p.move(12, 7.5).to(12, 12).to(15, 14).stroke();
    }

    void shape_extract(Pen& p)
    {
        p.move(4, 10.5)
            .to(4, 18.5)
            .corner(4, 20.5, 6, 20.5)
            .to(18, 20.5)
            .corner(20, 20.5, 20, 18.5)
            .to(20, 10.5)
            .stroke();
        p.segment(12, 16, 12, 3.5);
        p.move(8, 7.5).to(12, 3.5).to(16, 7.5).stroke();
    }

    void shape_terminal(Pen& p)
    {
        p.rounded(2.5, 4, 21.5, 20, 2.5).stroke();
        p.move(6.5, 9).to(10, 12).to(6.5, 15).stroke();
        p.segment(12, 15.5, 17, 15.5);
    }

    void shape_file(Pen& p) { page(p); }

    using Shape = void (*)(Pen&);
    Shape shape_for(Icon icon)
    {
        switch (icon) {
        case Icon::Folder:
            return shape_folder;
        case Icon::File:
            return shape_file;
        case Icon::FileText:
            return shape_file_text;
        case Icon::FileImage:
            return shape_file_image;
        case Icon::FileAudio:
            return shape_file_audio;
        case Icon::FileVideo:
            return shape_file_video;
        case Icon::FileArchive:
            return shape_file_archive;
        case Icon::FileCode:
            return shape_file_code;
        case Icon::FilePdf:
            return shape_file_pdf;
        case Icon::Home:
            return shape_home;
        case Icon::Documents:
            return shape_documents;
        case Icon::Downloads:
            return shape_downloads;
        case Icon::Pictures:
            return shape_pictures;
        case Icon::Music:
            return shape_music;
        case Icon::Videos:
            return shape_videos;
        case Icon::Desktop:
            return shape_desktop;
        case Icon::Trash:
            return shape_trash;
        case Icon::Root:
            return shape_root;
        case Icon::Workspace:
            return shape_workspace;
        case Icon::Remote:
            return shape_remote;
        case Icon::Star:
            return shape_star;
        case Icon::ArrowLeft:
            return shape_arrow_left;
        case Icon::ArrowRight:
            return shape_arrow_right;
        case Icon::ArrowUp:
            return shape_arrow_up;
        case Icon::ChevronRight:
            return shape_chevron_right;
        case Icon::ChevronDown:
            return shape_chevron_down;
        case Icon::List:
            return shape_list;
        case Icon::Grid:
            return shape_grid;
        case Icon::Sort:
            return shape_sort;
        case Icon::More:
            return shape_more;
        case Icon::Close:
            return shape_close;
        case Icon::Search:
            return shape_search;
        case Icon::Check:
            return shape_check;
        case Icon::Plus:
            return shape_plus;
        case Icon::Sync:
            return shape_sync;
        case Icon::Cloud:
            return shape_cloud;
        case Icon::CloudOff:
            return shape_cloud_off;
        case Icon::Pin:
            return shape_pin;
        case Icon::Share:
            return shape_share;
        case Icon::Conflict:
            return shape_conflict;
        case Icon::Warning:
            return shape_warning;
        case Icon::Error:
            return shape_error;
        case Icon::History:
            return shape_history;
        case Icon::Extract:
            return shape_extract;
        case Icon::Terminal:
            return shape_terminal;
        }
        return shape_file;
    }

    struct ExtensionIcon {
        std::string_view extension;
        Icon icon;
    };

    constexpr std::array extension_icons {
        ExtensionIcon { "png", Icon::FileImage },
        ExtensionIcon { "jpg", Icon::FileImage },
        ExtensionIcon { "jpeg", Icon::FileImage },
        ExtensionIcon { "gif", Icon::FileImage },
        ExtensionIcon { "webp", Icon::FileImage },
        ExtensionIcon { "svg", Icon::FileImage },
        ExtensionIcon { "bmp", Icon::FileImage },
        ExtensionIcon { "tif", Icon::FileImage },
        ExtensionIcon { "tiff", Icon::FileImage },
        ExtensionIcon { "heic", Icon::FileImage },
        ExtensionIcon { "avif", Icon::FileImage },
        ExtensionIcon { "ico", Icon::FileImage },
        ExtensionIcon { "mp3", Icon::FileAudio },
        ExtensionIcon { "wav", Icon::FileAudio },
        ExtensionIcon { "flac", Icon::FileAudio },
        ExtensionIcon { "ogg", Icon::FileAudio },
        ExtensionIcon { "oga", Icon::FileAudio },
        ExtensionIcon { "opus", Icon::FileAudio },
        ExtensionIcon { "m4a", Icon::FileAudio },
        ExtensionIcon { "aac", Icon::FileAudio },
        ExtensionIcon { "mp4", Icon::FileVideo },
        ExtensionIcon { "mkv", Icon::FileVideo },
        ExtensionIcon { "webm", Icon::FileVideo },
        ExtensionIcon { "mov", Icon::FileVideo },
        ExtensionIcon { "avi", Icon::FileVideo },
        ExtensionIcon { "m4v", Icon::FileVideo },
        ExtensionIcon { "ogv", Icon::FileVideo },
        ExtensionIcon { "zip", Icon::FileArchive },
        ExtensionIcon { "tar", Icon::FileArchive },
        ExtensionIcon { "gz", Icon::FileArchive },
        ExtensionIcon { "tgz", Icon::FileArchive },
        ExtensionIcon { "7z", Icon::FileArchive },
        ExtensionIcon { "bz2", Icon::FileArchive },
        ExtensionIcon { "xz", Icon::FileArchive },
        ExtensionIcon { "zst", Icon::FileArchive },
        ExtensionIcon { "rar", Icon::FileArchive },
        ExtensionIcon { "c", Icon::FileCode },
        ExtensionIcon { "h", Icon::FileCode },
        ExtensionIcon { "cc", Icon::FileCode },
        ExtensionIcon { "cpp", Icon::FileCode },
        ExtensionIcon { "hpp", Icon::FileCode },
        ExtensionIcon { "rs", Icon::FileCode },
        ExtensionIcon { "go", Icon::FileCode },
        ExtensionIcon { "py", Icon::FileCode },
        ExtensionIcon { "js", Icon::FileCode },
        ExtensionIcon { "ts", Icon::FileCode },
        ExtensionIcon { "java", Icon::FileCode },
        ExtensionIcon { "kt", Icon::FileCode },
        ExtensionIcon { "swift", Icon::FileCode },
        ExtensionIcon { "rb", Icon::FileCode },
        ExtensionIcon { "sh", Icon::FileCode },
        ExtensionIcon { "json", Icon::FileCode },
        ExtensionIcon { "xml", Icon::FileCode },
        ExtensionIcon { "html", Icon::FileCode },
        ExtensionIcon { "css", Icon::FileCode },
        ExtensionIcon { "yaml", Icon::FileCode },
        ExtensionIcon { "yml", Icon::FileCode },
        ExtensionIcon { "toml", Icon::FileCode },
        ExtensionIcon { "cmake", Icon::FileCode },
        ExtensionIcon { "pdf", Icon::FilePdf },
        ExtensionIcon { "txt", Icon::FileText },
        ExtensionIcon { "md", Icon::FileText },
        ExtensionIcon { "rtf", Icon::FileText },
        ExtensionIcon { "odt", Icon::FileText },
        ExtensionIcon { "doc", Icon::FileText },
        ExtensionIcon { "ods", Icon::FileText },
        ExtensionIcon { "odp", Icon::FileText },
        ExtensionIcon { "xlsx", Icon::FileText },
        ExtensionIcon { "pptx", Icon::FileText },
        ExtensionIcon { "epub", Icon::FileText },
        ExtensionIcon { "docx", Icon::FileText },
        ExtensionIcon { "csv", Icon::FileText },
        ExtensionIcon { "log", Icon::FileText },
        ExtensionIcon { "ini", Icon::FileText },
        ExtensionIcon { "conf", Icon::FileText },
    };

}

Icon icon_for_path(std::filesystem::path const& path, PathKind kind)
{
    switch (kind) {
    case PathKind::Folder:
        return Icon::Folder;
    case PathKind::File:
        break;
    }
    std::string extension = path.extension().string();
    if (extension.size() < 2)
        return Icon::File;
    extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (auto const& entry : extension_icons) {
        if (entry.extension == extension)
            return entry.icon;
    }
    return Icon::File;
}

void draw_icon(cairo_t* cr, Icon icon, Rect const& rect, Color const& color)
{
    double side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    double scale = side / grid;
    cairo_save(cr);
    cairo_translate(cr, rect.left + (rect.width() - side) / 2, rect.top + (rect.height() - side) / 2);
    cairo_scale(cr, scale, scale);
    cairo_new_path(cr);
    // Small icons keep a visible line: never thinner than one logical pixel.
    cairo_set_line_width(cr, std::max(stroke_width, 1.0 / scale));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Pen pen(cr, color);
    shape_for(icon)(pen);
    cairo_restore(cr);
}

}
