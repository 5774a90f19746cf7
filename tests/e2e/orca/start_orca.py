"""Starts the installed Orca with its debug log as the record of speech.

    start_orca.py PREFS_DIR LOG_FILE

Orca's own entry point (/usr/bin/orca) refuses to start beside another Orca
of the same user, and its --replace kills that one: a developer's own screen
reader would stop the test or be stopped by it. This starts the same Orca
(its settings manager and main loop) without either, on the buses and the
screen in the environment.
"""

import sys

from orca import debug

# What Orca --debug logs, less the per-event details nobody reads; every
# utterance is one "SPEECH OUTPUT:" line.
debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[2], "w", buffering=1, encoding="utf-8")

from orca import orca  # noqa: E402  (after the log is set, as Orca's own launcher does)

manager = orca.getSettingsManager()
manager.activate(sys.argv[1], {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
