<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Cli</name>
    <message numerus="yes">
        <source>%1: the %n sections after it were not read and are missing</source>
        <extracomment>%1 is where and why the link was lost.</extracomment>
        <translation>
            <numerusform>%1: the %n section after it was not read and is missing</numerusform>
            <numerusform>%1: the %n sections after it were not read and are missing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections it records as empty are left as they are (%2 clears them)</source>
        <extracomment>%1 is why the backup is in doubt, %2 the option that clears them all the same.</extracomment>
        <translation>
            <numerusform>%1: the %n section it records as empty is left as it is (%2 clears it)</numerusform>
            <numerusform>%1: the %n sections it records as empty are left as they are (%2 clears them)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backed up %1 of %n sections (%2 bytes) from %3 into %4%5</source>
        <extracomment>%2 is the bytes, %3 the port, %4 the folder; %5 is &quot;; verified&quot;, &quot;; inconsistent&quot; or empty.</extracomment>
        <translation>
            <numerusform>Backed up %1 of %n section (%2 bytes) from %3 into %4%5</numerusform>
            <numerusform>Backed up %1 of %n sections (%2 bytes) from %3 into %4%5</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections after it were not reached</source>
        <extracomment>%1 is where and why the link was lost.</extracomment>
        <translation>
            <numerusform>%1: the %n section after it was not reached</numerusform>
            <numerusform>%1: the %n sections after it were not reached</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message numerus="yes">
        <source>%1 bytes</source>
        <translation>
            <numerusform>%1 byte</numerusform>
            <numerusform>%1 bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Details</name>
    <message numerus="yes">
        <source>%n colours</source>
        <translation>
            <numerusform>%n colour</numerusform>
            <numerusform>%n colours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Libraries</name>
    <message numerus="yes">
        <source>%1 Size: %n bytes</source>
        <extracomment>%1 is &quot;Section uploaded sucsessfully!&quot;</extracomment>
        <translation>
            <numerusform>%1 Size: %n byte</numerusform>
            <numerusform>%1 Size: %n bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message numerus="yes">
        <source>answers (2-18 holds %n bytes)</source>
        <translation>
            <numerusform>answers (2-18 holds %n byte)</numerusform>
            <numerusform>answers (2-18 holds %n bytes)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The phone-link library claimed %n bytes from %1 into a buffer of %2; the link was closed.</source>
        <translation>
            <numerusform>The phone-link library claimed %n byte from %1 into a buffer of %2; the link was closed.</numerusform>
            <numerusform>The phone-link library claimed %n bytes from %1 into a buffer of %2; the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short hello: %n bytes, then nothing for %1; the link was closed.</source>
        <translation>
            <numerusform>The link host sent a short hello: %n byte, then nothing for %1; the link was closed.</numerusform>
            <numerusform>The link host sent a short hello: %n bytes, then nothing for %1; the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short answer to %1: %n bytes, then nothing for %2; the link was closed.</source>
        <translation>
            <numerusform>The link host sent a short answer to %1: %n byte, then nothing for %2; the link was closed.</numerusform>
            <numerusform>The link host sent a short answer to %1: %n bytes, then nothing for %2; the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short hello: %n bytes, then it closed its output; the link was closed.</source>
        <translation>
            <numerusform>The link host sent a short hello: %n byte, then it closed its output; the link was closed.</numerusform>
            <numerusform>The link host sent a short hello: %n bytes, then it closed its output; the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short hello: %n bytes, then it ended (%1); the link was closed.</source>
        <translation>
            <numerusform>The link host sent a short hello: %n byte, then it ended (%1); the link was closed.</numerusform>
            <numerusform>The link host sent a short hello: %n bytes, then it ended (%1); the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short answer to %1: %n bytes, then it closed its output; the link was closed.</source>
        <translation>
            <numerusform>The link host sent a short answer to %1: %n byte, then it closed its output; the link was closed.</numerusform>
            <numerusform>The link host sent a short answer to %1: %n bytes, then it closed its output; the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short answer to %1: %n bytes, then it ended (%2); the link was closed.</source>
        <translation>
            <numerusform>The link host sent a short answer to %1: %n byte, then it ended (%2); the link was closed.</numerusform>
            <numerusform>The link host sent a short answer to %1: %n bytes, then it ended (%2); the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a hello of %n bytes, longer than the %1 a hello may have; the link was closed.</source>
        <translation>
            <numerusform>The link host sent a hello of %n byte, longer than the %1 a hello may have; the link was closed.</numerusform>
            <numerusform>The link host sent a hello of %n bytes, longer than the %1 a hello may have; the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host answered %n bytes to a call that allows %1 (%2); the link was closed.</source>
        <extracomment>%n bytes of the answer; %1 the most the call allows; %2 the call, &quot;GetNVMFileSize 18-9&quot;.</extracomment>
        <translation>
            <numerusform>The link host answered %n byte to a call that allows %1 (%2); the link was closed.</numerusform>
            <numerusform>The link host answered %n bytes to a call that allows %1 (%2); the link was closed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bytes read</source>
        <translation>
            <numerusform>%n byte read</numerusform>
            <numerusform>%n bytes read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link works on COM%1: section 2-18 holds %n bytes.</source>
        <extracomment>%1 is the port&apos;s number</extracomment>
        <translation>
            <numerusform>The link works on COM%1: section 2-18 holds %n byte.</numerusform>
            <numerusform>The link works on COM%1: section 2-18 holds %n bytes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message numerus="yes">
        <source>Download %n slots...</source>
        <translation>
            <numerusform>Download %n slot...</numerusform>
            <numerusform>Download %n slots...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n slots...</source>
        <translation>
            <numerusform>Clear %n slot...</numerusform>
            <numerusform>Clear %n slots...</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TRestorePreview</name>
    <message numerus="yes">
        <source>Clear the %n sections the backup records as empty anyway</source>
        <translation>
            <numerusform>Clear the %n section the backup records as empty anyway</numerusform>
            <numerusform>Clear the %n sections the backup records as empty anyway</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Show the %n unchanged sections</source>
        <translation>
            <numerusform>Show the %n unchanged section</numerusform>
            <numerusform>Show the %n unchanged sections</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TUploadPlanDialog</name>
    <message numerus="yes">
        <source>%n files to upload, each into the slot shown. Nothing is written until you choose Upload.</source>
        <translation>
            <numerusform>%n file to upload, into the slot shown. Nothing is written until you choose Upload.</numerusform>
            <numerusform>%n files to upload, each into the slot shown. Nothing is written until you choose Upload.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message numerus="yes">
        <source>%1 of %n slots done</source>
        <translation>
            <numerusform>%1 of %n slot done</numerusform>
            <numerusform>%1 of %n slots done</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Section %1 holds %n bytes; only programs of up to %2 bytes can be converted. The section was left as it was.</source>
        <translation>
            <numerusform>Section %1 holds %n byte; only programs of up to %2 bytes can be converted. The section was left as it was.</numerusform>
            <numerusform>Section %1 holds %n bytes; only programs of up to %2 bytes can be converted. The section was left as it was.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Section %1 holds %n bytes in the backup, more than its slot takes (%2): nothing was restored</source>
        <translation>
            <numerusform>Section %1 holds %n byte in the backup, more than its slot takes (%2): nothing was restored</numerusform>
            <numerusform>Section %1 holds %n bytes in the backup, more than its slot takes (%2): nothing was restored</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the phone claimed %n bytes read, but only %2 can be there</source>
        <translation>
            <numerusform>%1: the phone claimed %n byte read, but only %2 can be there</numerusform>
            <numerusform>%1: the phone claimed %n bytes read, but only %2 can be there</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the phone holds %1 of the %n bytes written: the section now holds neither the old nor the new content</source>
        <translation>
            <numerusform>the phone holds %1 of the %n byte written: the section now holds neither the old nor the new content</numerusform>
            <numerusform>the phone holds %1 of the %n bytes written: the section now holds neither the old nor the new content</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Section %1 holds %n bytes, more than can be read</source>
        <translation>
            <numerusform>Section %1 holds %n byte, more than can be read</numerusform>
            <numerusform>Section %1 holds %n bytes, more than can be read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 of its %n bytes read</source>
        <translation>
            <numerusform>%1: %2 of its %n byte read</numerusform>
            <numerusform>%1: %2 of its %n bytes read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Section %1 still holds %n bytes after clearing</source>
        <translation>
            <numerusform>Section %1 still holds %n byte after clearing</numerusform>
            <numerusform>Section %1 still holds %n bytes after clearing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backed up %1 of %2 sections (%n bytes) into %3.</source>
        <translation>
            <numerusform>Backed up %1 of %2 sections (%n byte) into %3.</numerusform>
            <numerusform>Backed up %1 of %2 sections (%n bytes) into %3.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections after it were not read.</source>
        <extracomment>%1 is &quot;The link was lost at section 18-11 (why)&quot;</extracomment>
        <translation>
            <numerusform>%1: the %n section after it was not read.</numerusform>
            <numerusform>%1: the %n sections after it were not read.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Download %n slots into</source>
        <translation>
            <numerusform>Download %n slot into</numerusform>
            <numerusform>Download %n slots into</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Are you sure to clear these %n sections?</source>
        <translation>
            <numerusform>Are you sure to clear this %n section?</numerusform>
            <numerusform>Are you sure to clear these %n sections?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backup incomplete: %1 of %n sections</source>
        <extracomment>%1 sections backed up of %n</extracomment>
        <translation>
            <numerusform>Backup incomplete: %1 of %n section</numerusform>
            <numerusform>Backup incomplete: %1 of %n sections</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backup inconsistent: %n sections changed while it ran</source>
        <translation>
            <numerusform>Backup inconsistent: %n section changed while it ran</numerusform>
            <numerusform>Backup inconsistent: %n sections changed while it ran</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %1 of %2; %n not restored</source>
        <extracomment>%1 sections restored of %2; %n is how many were not.</extracomment>
        <translation>
            <numerusform>Restored %1 of %2; %n not restored</numerusform>
            <numerusform>Restored %1 of %2; %n not restored</numerusform>
        </translation>
    </message>
</context>
</TS>
