#pragma once

// The maker of the program, named in one place: the credits, the information window and the
// start window's banner use these.
namespace Produttore {
inline constexpr char Nome[] = "Ardesia Software";
inline constexpr char SitoWeb[] = "https://www.ardesiasoftware.it";
inline constexpr char Email[] = "info@ardesiasoftware.it";
} // namespace Produttore
