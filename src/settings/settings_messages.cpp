// The settings file's messages name the file, so that the user knows which one to look at.
#include "settings/settings_messages.h"

#include "settings/settings_file.h"

namespace sonaru {

std::string SaveFailedMessage() {
  return "Impossible d'enregistrer les réglages dans " + SettingsFilePath() + ".";
}

std::string RestoreFailedMessage(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::Unreadable:
      return "Impossible de lire les réglages dans " + SettingsFilePath() + ".";
    case RestoreOutcome::NothingSaved:
      return "Aucun réglage sauvegardé.";
    case RestoreOutcome::Restored:
      break;
  }
  return {};
}

}  // namespace sonaru
