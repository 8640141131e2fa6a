// The whole life of the updater between module start-up and shut-down: the platform gate,
// the window services, the main window and the update run from its start hook.
#pragma once

void MainSequence();
