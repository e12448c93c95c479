// Usage and version texts.
#include "startup/usage.h"

#ifndef SONARU_VERSION
#error "SONARU_VERSION must be defined by the build"
#endif

namespace sonaru {

namespace {

constexpr const char* Usage =
    "Usage : sonaru [options]\n"
    "\n"
    "Sans argument, ouvre la fenêtre du mélangeur ; avec un argument, même vide, travaille sans fenêtre.\n"
    "\n"
    "  /Rest          remet sur le mélangeur les réglages enregistrés dans Sonaru.ini\n"
    "  /T:h:m:s       restaure les réglages après ce délai (/T:30, /T:5:0, /T:1:0:0)\n"
    "  /S:n           enregistre les réglages, puis (s'ils ont pu l'être) règle le volume général\n"
    "                 (VOL) à n\n"
    "  /M:n           ... puis le micro (MICRO)\n"
    "  /W:n           ... puis la sortie son (WAVE)\n"
    "  /L:n           ... puis l'entrée ligne (LINE)\n"
    "  /C:n           ... puis le lecteur CD (CD)\n"
    "  /D:n           ... puis le synthétiseur (MIDI)\n"
    "  tout autre mot enregistre les réglages sans rien changer\n"
    "\n"
    "  --help, -h, /? affiche cette aide ; --version affiche la version\n"
    "\n"
    "Le mélangeur est le périphérique ALSA « default », ou celui que nomme SONARU_MIXER_DEVICE.\n"
    "Codes de sortie : 0 fait, 1 pas de mélangeur, 2 délai invalide, 3 réglages non enregistrés,\n"
    "4 tâche non créée, 5 réglages illisibles ou aucun réglage sauvegardé, 6 pas d'affichage.\n";

}  // namespace

std::optional<std::string> InformationText(const std::string& argumentText) {
  if (argumentText == "--help" || argumentText == "-h" || argumentText == "/?") {
    return Usage;
  }
  if (argumentText == "--version") {
    return std::string("sonaru ") + SONARU_VERSION + "\n";
  }
  return std::nullopt;
}

}  // namespace sonaru
