// Start-up of the media library: its codecs, notation forms and framework hooks.
#pragma once

// Registers the image and reference codecs and notation forms, and installs the
// framework hooks for resource types and compiled resources. Safe to call again.
void tqvMediaStartup();
