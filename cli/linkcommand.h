#pragma once
// "kivnvm link": the phone-link library that will be used, how it runs and what it exports;
// with --test, whether the link opens on the port; with --find, which device is the cable.

class TArgs;

int LinkCommand(const TArgs& args);
