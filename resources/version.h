// The program's version: its version resource and the setup program read it from here.
#pragma once

#define WORDMERE_VERSION_MAJOR 2
#define WORDMERE_VERSION_MINOR 2
#define WORDMERE_VERSION_TEXT "2.2"
