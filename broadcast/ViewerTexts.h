#pragma once
// The viewer's texts: the interface lines of Mirage.ini and the waiting text
// a view shows before its first frame.

#include "broadcast/MirageIni.h"

#include <string>

// The text of a Mirage.ini interface line.
std::string ViewerText(MirageIniLine line);
// What a view shows until a frame arrives (set when the viewer opens).
std::string WaitingText();
void SetWaitingText(const std::string& text);
