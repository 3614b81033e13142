#pragma once

// A home folder to render the scenes in: the five user folders (so the
// sidebar shows six favourites), a "Development" folder for the pin drag,
// templates for the New File menu and a few documents of realistic sizes,
// all with fixed modification times.
// Scenes that build no fixture show the start location, which is this home
// when it is the HOME of the renderer.

#include <filesystem>

namespace files::scenes {

// Removes `home` and builds it again. Failing steps are skipped.
void build_demo_home(std::filesystem::path const& home);

}
