<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simple application for view and modify NVM sections used by poplular Kiv-series firmware MOD for Sony Jxx and Z7 phones.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kiv Manager 2.0 by the Kiv Manager developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone link: the GBP phone-link library (gbp.dll)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBadAddrForm</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TExpertsForm</name>
    <message>
        <source>Manager options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Big slots from 18-:        to: 18- </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Small slots from 02-         to: 02- </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Be careful changing this values! Kiv3 mod uses only 18-09...18-29 and 02-10...02-14 slots for programs!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address and FW version for UFIF2.1 conversion:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>The serial port of the phone link: COM1 to COM4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slot ranges and the phone&apos;s firmware (Alt+O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRG&amp;3 library upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload a PRG3 library text into 2-16 (Alt+3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full &amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read every slot from the phone (Alt+R, Ctrl+F5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duzu &amp;Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone&apos;s preferences record (Alt+P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UFIF&amp;2 library upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload the UFIF2 library where the phone&apos;s preferences say (Alt+2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Additional &amp;info in full refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Refresh also reads each slot&apos;s first bytes to tell what it holds (Alt+I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Kiv Manager (Alt+A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play GIF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert to UFIF2.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload LZO-Compressed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back up phone...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore phone...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Phone link...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone &amp;log</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TIconForm</name>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select icon for program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The system&apos;s (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kiv Manager speaks %1 from its next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TOKBottomDlg</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re trying to upload UFIF 2.0 version program! This is an older format and it may not work on some Kiv3 firmwares. Do you want to convert this program to UFIF 2.1 - compatible format?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you using Kiv3 MOD and want to convert this program select correct firmware and press &quot;Yes&quot; button. Press &quot;No&quot; if you still using Kiv2 MOD, or simply want to upload program &quot;as is&quot; without converting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please read this text!!!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TPrefForm</name>
    <message>
        <source>Kiv Mod Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UFIF2-Library section:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Kiv2 2b9 or higher)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu show mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progs and data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autorun (Kiv3b3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program section:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
