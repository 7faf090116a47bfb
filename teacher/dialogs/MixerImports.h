#pragma once
// KqMixer.dll: the recording volume of the sound mixer's two recording
// lines (0-65535). A negative result means the mixer or the line is not
// available. Every call passes a null mixer name: the default mixer.

extern "C" int KqMixerGetRecVolume(int line, char* mixer);
extern "C" int KqMixerSetRecVolume(int first, int second, unsigned volume, char* mixer);
