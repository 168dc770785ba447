#pragma once
// String ids the main window loads (to be mapped onto the shared string-id table).
namespace drivo::appstr {

inline constexpr int kAboutMenuItem = 101;       // "&About Drivo..."
inline constexpr int kRaceTimeLabel = 1063;      // "Temps chronométré: %d ms"
inline constexpr int kMaxSpeedLabel = 1064;      // "Vitesse maximum: %0.02f m/s"
inline constexpr int kEnterIntegerBetween = 1067; // "Entrez un entier entre %1 et %2."

} // namespace drivo::appstr
