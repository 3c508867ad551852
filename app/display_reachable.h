#pragma once

// Whether DISPLAY names an X server, or WAYLAND_DISPLAY a Wayland compositor,
// that takes a connection: a local socket, or TCP when DISPLAY names a host, as
// over ssh -X, where the answer may take up to a second. Asked only once Qt has
// failed to start, to tell a missing session from one that Qt cannot use.
bool display_reachable();
