# Orca reads this from its preferences folder at start-up (run.sh copies it
# into a fresh one). No speech server: Orca still generates and logs every
# utterance, but never waits on speech-dispatcher, which blocks where there
# is no sound device. No braille display or sounds either.
import orca.settings

orca.settings.speechServerFactory = None
orca.settings.speechFactoryModules = []
orca.settings.enableBraille = False
orca.settings.enableSound = False
