<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>App</name>
    <message>
        <source>Confirm</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Drop refused: drop the file onto a slot&apos;s row.</source>
        <translation>Не принято: перетащите файл на строку слота.</translation>
    </message>
    <message>
        <source>Drop refused: only a file on this computer can be uploaded.</source>
        <translation>Не принято: записать в телефон можно только файл с этого компьютера.</translation>
    </message>
    <message>
        <source>Drop refused: a folder cannot be uploaded.</source>
        <translation>Не принято: папку записать в телефон нельзя.</translation>
    </message>
    <message>
        <source>%1 is there already in %2.</source>
        <extracomment>%1 is a file&apos;s name, %2 the folder it is in.</extracomment>
        <translation>%1 уже есть в %2.</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Файл уже есть</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>Заменить все</translation>
    </message>
    <message>
        <source>Skip all</source>
        <translation>Пропустить все</translation>
    </message>
    <message>
        <source>Slots</source>
        <translation>Слоты</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>Refreshing section %1...</source>
        <translation>Обновление секции %1...</translation>
    </message>
    <message>
        <source>Not read</source>
        <translation>Не прочитан</translation>
    </message>
    <message>
        <source>Not refreshed yet</source>
        <translation>Ещё не обновлён</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Пусто</translation>
    </message>
    <message>
        <source>Not read (size only)</source>
        <translation>Не прочитан (только размер)</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Программа</translation>
    </message>
    <message>
        <source>GIF picture</source>
        <translation>Картинка GIF</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Данные</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>не прочитан</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>Program &amp; Size</source>
        <translation>Программа и размер</translation>
    </message>
    <message>
        <source>FW</source>
        <extracomment>The firmware column&apos;s caption, over 64 pixels: two or three letters.</extracomment>
        <translation>ПО</translation>
    </message>
    <message>
        <source>Section %1, small slot %2</source>
        <extracomment>%1 is the section (&quot;18-9&quot;), %2 the slot&apos;s number in its group</extracomment>
        <translation>Секция %1, малый слот %2</translation>
    </message>
    <message>
        <source>Section %1, big slot %2</source>
        <translation>Секция %1, большой слот %2</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Вид: %1</translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation>Имя: %1</translation>
    </message>
    <message>
        <source>Content: %1</source>
        <translation>Содержимое: %1</translation>
    </message>
    <message>
        <source>Format: %1</source>
        <translation>Формат: %1</translation>
    </message>
    <message>
        <source>Icon: %1</source>
        <translation>Значок: %1</translation>
    </message>
    <message>
        <source>&lt; Empty &gt;</source>
        <translation>&lt; Пусто &gt;</translation>
    </message>
    <message>
        <source>&lt; Data &gt;</source>
        <translation>&lt; Данные &gt;</translation>
    </message>
    <message>
        <source>&lt; GIF-File &gt;</source>
        <translation>&lt; Файл GIF &gt;</translation>
    </message>
    <message>
        <source>&lt; UFIF2 ExtLibrary &gt;</source>
        <translation>&lt; Библиотека UFIF2 &gt;</translation>
    </message>
    <message>
        <source>&lt; Pixmara pack &gt;</source>
        <translation>&lt; Набор Pixmara &gt;</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(не прочитано)</translation>
    </message>
    <message>
        <source>10 sec ringer: %1</source>
        <extracomment>%1 is the ringer&apos;s name, as the phone keeps it</extracomment>
        <translation>Мелодия звонка на 10 с: %1</translation>
    </message>
    <message>
        <source>&lt; PRG3 ExtLibrary ver.%1&gt;</source>
        <extracomment>%1 is the library&apos;s release number</extracomment>
        <translation>&lt; Библиотека PRG3 вер.%1&gt;</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Размер: %1</translation>
    </message>
    <message>
        <source>Container: %1, %2 unpacked</source>
        <extracomment>%1 is the compression ratio: &quot;LZO(43.0%)&quot;</extracomment>
        <translation>Контейнер: %1, без сжатия %2</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>unknown option %1</source>
        <translation>неизвестный ключ %1</translation>
    </message>
    <message>
        <source>unknown option --%1</source>
        <translation>неизвестный ключ --%1</translation>
    </message>
    <message>
        <source>--%1 given twice</source>
        <translation>ключ --%1 указан дважды</translation>
    </message>
    <message>
        <source>--%1 takes no value</source>
        <translation>ключ --%1 не принимает значения</translation>
    </message>
    <message>
        <source>--%1 needs a value</source>
        <translation>ключу --%1 нужно значение</translation>
    </message>
    <message>
        <source>Section %1 is missing from the backup: %2</source>
        <translation>Секции %1 нет в резервной копии: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections after it were not read and are missing</source>
        <extracomment>%1 is where and why the link was lost.</extracomment>
        <translation>
            <numerusform>%1: следующая за ней %n секция не прочитана и отсутствует в копии</numerusform>
            <numerusform>%1: следующие за ней %n секции не прочитаны и отсутствуют в копии</numerusform>
            <numerusform>%1: следующие за ней %n секций не прочитаны и отсутствуют в копии</numerusform>
        </translation>
    </message>
    <message>
        <source>Section %1 changed during the backup: %2</source>
        <translation>Секция %1 изменилась во время резервного копирования: %2</translation>
    </message>
    <message>
        <source>; inconsistent</source>
        <extracomment>Ends the summary of a backup: &quot;Backed up 29 of 29 sections ...; inconsistent&quot;.</extracomment>
        <translation>; копия несогласованная</translation>
    </message>
    <message>
        <source>; verified</source>
        <extracomment>Ends the summary of a backup: &quot;Backed up 29 of 29 sections ...; verified&quot;.</extracomment>
        <translation>; копия проверена</translation>
    </message>
    <message>
        <source>would write %1 (%2 bytes)</source>
        <translation>будет записана секция %1 (байт: %2)</translation>
    </message>
    <message>
        <source>wrote %1 (%2 bytes)</source>
        <translation>записана секция %1 (байт: %2)</translation>
    </message>
    <message>
        <source>would clear %1</source>
        <translation>будет очищена секция %1</translation>
    </message>
    <message>
        <source>cleared %1</source>
        <translation>очищена секция %1</translation>
    </message>
    <message>
        <source>Section %1 not restored: %2</source>
        <translation>Секция %1 не восстановлена: %2</translation>
    </message>
    <message>
        <source>Section %1 is missing from the backup (%2): left as it is</source>
        <translation>Секции %1 нет в резервной копии (%2): оставлена как есть</translation>
    </message>
    <message>
        <source>would leave %1 uncleared</source>
        <translation>секция %1 будет оставлена неочищенной</translation>
    </message>
    <message>
        <source>left %1 uncleared</source>
        <translation>секция %1 оставлена неочищенной</translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections it records as empty are left as they are (%2 clears them)</source>
        <extracomment>%1 is why the backup is in doubt, %2 the option that clears them all the same.</extracomment>
        <translation>
            <numerusform>%1: %n секция, записанная в копии пустой, оставлена как есть (%2 очищает её)</numerusform>
            <numerusform>%1: %n секции, записанные в копии пустыми, оставлены как есть (%2 очищает их)</numerusform>
            <numerusform>%1: %n секций, записанных в копии пустыми, оставлены как есть (%2 очищает их)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backed up %1 of %n sections (%2 bytes) from %3 into %4%5</source>
        <extracomment>%2 is the bytes, %3 the port, %4 the folder; %5 is &quot;; verified&quot;, &quot;; inconsistent&quot; or empty.</extracomment>
        <translation>
            <numerusform>Сохранено %1 из %n секции (байт: %2) с %3 в %4%5</numerusform>
            <numerusform>Сохранено %1 из %n секций (байт: %2) с %3 в %4%5</numerusform>
            <numerusform>Сохранено %1 из %n секций (байт: %2) с %3 в %4%5</numerusform>
        </translation>
    </message>
    <message>
        <source>A restore of this backup clears nothing unless given %1</source>
        <translation>Восстановление из этой копии ничего не очищает без ключа %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections after it were not reached</source>
        <extracomment>%1 is where and why the link was lost.</extracomment>
        <translation>
            <numerusform>%1: следующая за ней %n секция не обработана</numerusform>
            <numerusform>%1: следующие за ней %n секции не обработаны</numerusform>
            <numerusform>%1: следующие за ней %n секций не обработаны</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 written, %3 cleared, %4 unchanged, %5 failed</source>
        <extracomment>%1 is &quot;Restored&quot;, &quot;Restore incomplete&quot; or &quot;Dry run, nothing changed&quot;; then the counts of sections.</extracomment>
        <translation>%1: записано %2, очищено %3, без изменений %4, с ошибкой %5</translation>
    </message>
    <message>
        <source>%1: %2 written, %3 cleared, %4 unchanged, %5 failed, %6 left uncleared</source>
        <extracomment>%1 is &quot;Restored&quot;, &quot;Restore incomplete&quot; or &quot;Dry run, nothing changed&quot;; then the counts of sections.</extracomment>
        <translation>%1: записано %2, очищено %3, без изменений %4, с ошибкой %5, не очищено %6</translation>
    </message>
    <message>
        <source>Dry run, nothing changed</source>
        <translation>Пробный прогон, ничего не изменено</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>Восстановлено</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>неизвестная команда «%1»</translation>
    </message>
    <message>
        <source>%1 takes no option --%2</source>
        <translation>команда %1 не принимает ключ --%2</translation>
    </message>
    <message>
        <source>help takes one command</source>
        <translation>help принимает одну команду</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>команда не указана</translation>
    </message>
    <message>
        <source>%1
Try &apos;kivnvm --help&apos;.</source>
        <translation>%1
Справка: «kivnvm --help».</translation>
    </message>
    <message>
        <source>The demo section %1 could not be made</source>
        <translation>Не удалось создать демонстрационную секцию %1</translation>
    </message>
    <message>
        <source>%1 is not a folder: nothing was changed</source>
        <translation>%1 — не папка: ничего не изменено</translation>
    </message>
    <message>
        <source>%1 already holds a phone: nothing was changed (--force replaces it)</source>
        <translation>В %1 уже есть телефон: ничего не изменено (--force заменяет его)</translation>
    </message>
    <message>
        <source>Demo phone created in %1</source>
        <translation>Демонстрационный телефон создан в %1</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>program</source>
        <translation>программа</translation>
    </message>
    <message>
        <source>gif</source>
        <translation>GIF</translation>
    </message>
    <message>
        <source>other</source>
        <translation>другое</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Вид: %1</translation>
    </message>
    <message>
        <source>Caption: %1</source>
        <translation>Подпись: %1</translation>
    </message>
    <message>
        <source>Format: %1 (%2)</source>
        <extracomment>%1 is the format word in hexadecimal, %2 the FW column&apos;s label: &quot;UFIF 2.1&quot;.</extracomment>
        <translation>Формат: %1 (%2)</translation>
    </message>
    <message>
        <source>Icon picture: %1</source>
        <extracomment>%1 is the number of the picture in the icon list, or &quot;none&quot;.</extracomment>
        <translation>Рисунок значка: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Compressed: no</source>
        <translation>Сжато: нет</translation>
    </message>
    <message>
        <source>%1 did not end: counted up to %2 bytes, larger than any slot</source>
        <translation>%1 не закончился: подсчитано до %2 байт, больше любого слота</translation>
    </message>
    <message>
        <source>%1 bytes, larger than any slot (at most %2)</source>
        <translation>%1 байт — больше любого слота (не более %2)</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Примечание: %1</translation>
    </message>
    <message>
        <source>The LZO container could not be built</source>
        <translation>Не удалось собрать контейнер LZO</translation>
    </message>
    <message>
        <source>The container takes %1 bytes; a section takes at most %2</source>
        <translation>Контейнер занимает %1 байт, а секция вмещает не более %2</translation>
    </message>
    <message>
        <source>%1 is not a UFIF 2.0 program: nothing converted, nothing written</source>
        <translation>%1 — не программа UFIF 2.0: ничего не преобразовано и не записано</translation>
    </message>
    <message>
        <source>%1: line %2 ignored, it gives no word: %3</source>
        <extracomment>%3 is the line as it stands in the file.</extracomment>
        <translation>%1: строка %2 пропущена, в ней нет слова: %3</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>стандартный вывод</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>стандартный ввод</translation>
    </message>
    <message>
        <source>%1 is too big: more than %2 bytes</source>
        <translation>%1 слишком велик: больше %2 байт</translation>
    </message>
    <message>
        <source>describe FILE as the manager describes a section</source>
        <translation>описать FILE, как Kiv Manager описывает секцию</translation>
    </message>
    <message>
        <source>Describes FILE as the manager describes a section holding exactly those bytes
(with &quot;Additional info&quot; ticked). FILE may have any size: only its first 128
bytes and its size are used, with a note when it is larger than any slot. A
stream that does not end is counted up to 16 MiB.

  --json    one JSON object: kind, caption, format_tag, label, icon_index,
            compressed, unpacked_size, size</source>
        <translation>Описывает FILE так, как Kiv Manager описал бы секцию ровно с этими байтами (при
включённом «Распознавать содержимое при полном обновлении»). FILE может быть
любого размера: берутся только его первые 128 байт и размер, с примечанием, если
он больше любого слота. Поток, который не заканчивается, считается до 16 МиБ.

  --json    один объект JSON: kind, caption, format_tag, label, icon_index,
            compressed, unpacked_size, size</translation>
    </message>
    <message>
        <source>LZO container of IN, as the compressed upload writes it</source>
        <translation>упаковать IN в контейнер LZO</translation>
    </message>
    <message>
        <source>Writes the LZO container that &quot;Upload LZO-Compressed&quot; would store for IN, which
holds at most 65,536 bytes.

  --icon CODE    the icon chosen for a plain UFIF program: four hex digits from
                 the icon list (default E852). ELF programs take their icon from
                 their header, other data gets E852.</source>
        <translation>Записывает контейнер LZO, который «Записать со сжатием LZO» сохранил бы для IN
(не более 65 536 байт).

  --icon CODE    значок для простой программы UFIF: четыре шестнадцатеричные
                 цифры из списка значков (по умолчанию E852). Программы ELF
                 берут значок из своего заголовка, прочие данные получают E852.</translation>
    </message>
    <message>
        <source>the original file from an LZO container</source>
        <translation>исходный файл из контейнера LZO</translation>
    </message>
    <message>
        <source>Gives back the original file from an LZO container; a damaged container is
refused.</source>
        <translation>Возвращает исходный файл из контейнера LZO; повреждённый контейнер
отвергается.</translation>
    </message>
    <message>
        <source>UFIF 2.0 program to UFIF 2.1 for a firmware</source>
        <translation>преобразовать UFIF 2.0 в UFIF 2.1 для прошивки</translation>
    </message>
    <message>
        <source>Converts a UFIF 2.0 program to UFIF 2.1 for a firmware. Standard output gets one
line per word the conversion could not judge (standard error when OUT is &quot;-&quot;).
Any other file is refused: nothing is written and the exit status is 1.

  --firmware TEXT      the firmware as typed into the manager&apos;s firmware field,
                       e.g. &quot;0x37BDD8 - Z7 4.5.6/4&quot;
  --firmware-index N   entry N of the firmware table, 0 by default;
                       &apos;kivnvm firmwares&apos; lists the table</source>
        <translation>Преобразует программу UFIF 2.0 в UFIF 2.1 для прошивки. В стандартный вывод
идёт по строке на каждое слово, которое преобразование не смогло оценить (в
стандартный поток ошибок, если OUT равен «-»). Любой другой файл отвергается:
ничего не записывается, код выхода 1.

  --firmware TEXT      прошивка, как её вводят в поле прошивки Kiv Manager,
                       например &quot;0x37BDD8 - Z7 4.5.6/4&quot;
  --firmware-index N   запись N таблицы прошивок, по умолчанию 0;
                       таблицу выводит «kivnvm firmwares»</translation>
    </message>
    <message>
        <source>PRG3 library image from its text</source>
        <translation>образ библиотеки PRG3 из её текста</translation>
    </message>
    <message>
        <source>Builds the PRG3 library image from its text: RELEASE=n and one word per line (a
hexadecimal number, a blank, a name). Each non-empty line that gives no word is
named on standard error. More than 512 words: &quot;Can&apos;t uplod - library file too
big!&quot;.</source>
        <translation>Собирает образ библиотеки PRG3 из её текста: RELEASE=n и по одному слову в
строке (шестнадцатеричное число, пробел, имя). Каждая непустая строка без слова
называется в стандартном потоке ошибок. Больше 512 слов: «Не удалось записать:
файл библиотеки слишком велик!».</translation>
    </message>
    <message>
        <source>the firmware table, with the indexes --firmware-index takes</source>
        <translation>таблица прошивок (номера для --firmware-index)</translation>
    </message>
    <message>
        <source>Lists the firmware table of the manager&apos;s conversion, one entry per line after
its index, as --firmware-index of convert and put takes it.</source>
        <translation>Выводит таблицу прошивок, которой пользуется преобразование в Kiv Manager, по
одной записи в строке после её номера, который принимает --firmware-index у
convert и put.</translation>
    </message>
    <message>
        <source>every slot as the manager&apos;s grid shows it</source>
        <translation>все слоты, как в таблице Kiv Manager</translation>
    </message>
    <message>
        <source>Every configured slot as the grid shows it after a full refresh: row, address,
caption, size, compression ratio, FW label. As in the manager, a failure ends its
slot range, and the exit status is 1.

  --json         an array of &apos;inspect --json&apos; objects with row and address added
  --sizes-only   no reads, like the manager with &quot;Additional info&quot; unticked</source>
        <translation>Все настроенные слоты, как их показывает таблица после полного обновления:
строка, адрес, подпись, размер, степень сжатия, метка FW. Как и в Kiv Manager,
сбой завершает свой диапазон слотов, и код выхода — 1.

  --json         массив объектов «inspect --json» с добавленными row и address
  --sizes-only   без чтения, как Kiv Manager со снятым флажком «Распознавать
                 содержимое при полном обновлении»</translation>
    </message>
    <message>
        <source>the whole section into FILE, or many slots into DIR</source>
        <translation>вся секция в FILE или много слотов в DIR</translation>
    </message>
    <message>
        <source>Reads the whole section into FILE; an empty section gives an empty file.

  --all DIR      every configured slot that holds something into DIR (made when
                 missing), one file each, named from the address and what the
                 slot holds: &quot;18-9 Calculator.prg&quot;, &quot;18-12.gif&quot;
  --into DIR     the same for the sections named
  --replace      replace the files of those names in DIR; else each is left as
                 it is and named on stderr

One slot that fails does not stop the others; a summary ends the work.</source>
        <translation>Читает всю секцию в FILE; пустая секция даёт пустой файл.

  --all DIR      каждый настроенный слот, в котором что-то есть, в DIR (она
                 создаётся, если её нет), по файлу на слот с именем по адресу и
                 содержимому слота: &quot;18-9 Calculator.prg&quot;, &quot;18-12.gif&quot;
  --into DIR     то же для названных секций
  --replace      заменять файлы с такими именами в DIR; иначе каждый остаётся
                 как есть и называется в stderr

Сбой одного слота не останавливает остальные; в конце выводится итог.</translation>
    </message>
    <message>
        <source>upload FILE as the manager does, or files into the free slots</source>
        <translation>записать FILE или файлы в свободные слоты</translation>
    </message>
    <message>
        <source>Uploads FILE as the manager does: trailing Thumb filler (C0 46) dropped (not with
--compress), refused with &quot;Can&apos;t uplod - file too big!&quot; above 2,048 bytes on a
small slot or 65,536 elsewhere. It succeeds only when the phone then holds exactly
the bytes written, and notes when the container is larger than FILE.

  --compress           pack FILE in an LZO container first
  --icon CODE          with --compress: the icon of a plain UFIF program (E852)
  --convert            convert a UFIF 2.0 program to UFIF 2.1 first
  --firmware TEXT      with --convert: the firmware as typed into the manager
  --firmware-index N   with --convert: entry N of the firmware table, 0 by
                       default; &apos;kivnvm firmwares&apos; lists the table
  --force              write a section outside the writable ones (see below)
  --into-free          each FILE into the next free slot, in order; the plan is
                       printed first (file -&gt; slot, what it replaces, too big,
                       compressed, converted). Slots that shrink are written
                       first, so the phone does not run out of room on the way
  --from S-SS          with --into-free: the first slot to fill (the first slot)
  --dry-run            with --into-free: print the plan and write nothing</source>
        <translation>Записывает FILE так же, как Kiv Manager: хвостовой заполнитель Thumb (C0 46)
отбрасывается (кроме --compress); больше 2 048 байт в малый слот или 65 536 в
остальные — отказ «Не удалось записать: файл слишком велик!». Успех — только
если телефон после записи хранит ровно записанные байты; сообщает, если
контейнер больше FILE.

  --compress           сначала упаковать FILE в контейнер LZO
  --icon CODE          с --compress: значок простой программы UFIF (E852)
  --convert            сначала преобразовать программу UFIF 2.0 в UFIF 2.1
  --firmware TEXT      с --convert: прошивка, как её вводят в Kiv Manager
  --firmware-index N   с --convert: запись N таблицы прошивок, по умолчанию
                       0; таблицу выводит «kivnvm firmwares»
  --force              записать секцию вне записываемых (см. ниже)
  --into-free          каждый FILE в следующий свободный слот по порядку;
                       сначала выводится план (файл -&gt; слот, что он заменяет,
                       слишком велик, сжат, преобразован). Слоты, которые
                       уменьшаются, пишутся первыми, чтобы по пути телефону
                       хватило места
  --from S-SS          с --into-free: первый заполняемый слот (по умолчанию
                       первый)
  --dry-run            с --into-free: вывести план и ничего не записывать</translation>
    </message>
    <message>
        <source>erase sections</source>
        <translation>стереть секции</translation>
    </message>
    <message>
        <source>Erases the sections; no question is asked. With several, one that fails
does not stop the others, and a summary ends the work.

  --force        erase a section outside the writable ones (see below)</source>
        <translation>Стирает секции; вопросов не задаётся. Если их несколько, сбой одной не
останавливает остальные, и в конце выводится итог.

  --force        стереть секцию вне записываемых (см. ниже)</translation>
    </message>
    <message>
        <source>every slot and 2-16, 2-17, 2-18 into a new folder</source>
        <translation>все слоты и 2-16, 2-17, 2-18 в новую папку</translation>
    </message>
    <message>
        <source>Reads every configured slot and sections 2-16, 2-17 and 2-18 into DIR, which must
be new or empty: one file per section and manifest.json. A section that cannot be
read is reported, recorded as missing, and makes the exit status 1; a read that
fails or falls short ends the backup there. At the end every size is asked again:
a complete backup whose sizes held says &quot;verified&quot;, one whose sizes changed says
&quot;inconsistent&quot; and makes the exit status 1.</source>
        <translation>Читает все настроенные слоты и секции 2-16, 2-17 и 2-18 в DIR, которая должна
быть новой или пустой: по файлу на секцию и manifest.json. Секция, которую не
удалось прочитать, называется, записывается как отсутствующая, и код выхода —
1; чтение с ошибкой или неполное завершает копирование на этом месте. В конце
размер каждой секции запрашивается снова: полная копия, размеры которой не
изменились, отмечается «копия проверена», копия с изменившимися размерами —
«копия несогласованная», и код выхода — 1.</translation>
    </message>
    <message>
        <source>write back what differs from a backup</source>
        <translation>записать обратно то, что отличается от копии</translation>
    </message>
    <message>
        <source>Checks every file of the backup against its SHA-256 first, then clears the
sections the backup records as empty and writes those whose content differs,
each checked by reading it back. A backup that is incomplete, inconsistent or
not verified clears nothing unless asked.

  --dry-run         list what a restore would change and write nothing
  --only S-SS,...   restore just the sections named
  --clear-missing   clear what such a backup records as empty all the same

A change kept in the history is a backup folder too: &apos;kivnvm history&apos; names it.</source>
        <translation>Сначала сверяет каждый файл копии с его SHA-256, затем очищает секции, которые
копия записала пустыми, и записывает те, содержимое которых отличается, каждую
с проверкой обратным чтением. Неполная, несогласованная или непроверенная копия
ничего не очищает, если не попросить.

  --dry-run         вывести, что изменит восстановление, и ничего не записывать
  --only S-SS,...   восстановить только названные секции
  --clear-missing   всё равно очистить то, что такая копия записала пустым

Изменение из истории — тоже папка резервной копии: её называет
«kivnvm history».</translation>
    </message>
    <message>
        <source>the phone-link library, how it runs, what it exports</source>
        <translation>библиотека связи, её запуск и экспорты</translation>
    </message>
    <message>
        <source>Tells the phone-link library that will be used, its kind by its header, how it
runs (in this process, in the link host, or in the 32-bit or 64-bit link host
under Wine) and which of the six exports it has; for a Windows library also the
Wine loader it uses, its version when it can run, and the Wine prefix. Nothing
is sent to the phone, and the prefix&apos;s serial mapping is left as it is, unless
--test or --find is given.

  --json    one JSON object: library, kind, runs, exports, usable, problem; for
            a Windows library wine, wineVersion, winePrefix, winePrefixMade;
            with --test also port, opened, outcome; with --find port, devices
            (device, description, result, text, detail) and answering
  --test    open the link on the port and close it again at once, and tell the
            outcome as the manager does (&quot;GBP Error: No AT response!&quot;); nothing
            is read or written
  --find    which serial device is the cable: for each DEVICE (default: every
            serial device present) put it behind the port, open the link, ask
            the size of 2-18 and close; nothing is written. Each device is told
            as &quot;answers (2-18 holds 12 bytes)&quot;, &quot;no answer&quot;, &quot;may not be
            opened (group dialout)&quot; or &quot;busy&quot;; exit status 0 when one
            answered. A Windows library under Wine only: a Linux library picks
            its device itself</source>
        <translation>Сообщает, какая библиотека связи с телефоном будет использована, её вид по
заголовку, как она работает (в этом процессе, в процессе-посреднике или в 32- либо
64-битном процессе-посреднике под Wine) и какие из шести экспортов в ней есть; для
библиотеки Windows ещё загрузчик Wine, которым она запускается, его версию,
если он работает, и префикс Wine. Без --test и --find в телефон ничего не
отправляется, а привязка последовательных портов в префиксе не меняется.

  --json    один объект JSON: library, kind, runs, exports, usable, problem; для
            библиотеки Windows ещё wine, wineVersion, winePrefix, winePrefixMade;
            с --test ещё port, opened, outcome; с --find port, devices
            (device, description, result, text, detail) и answering
  --test    открыть связь на порту и сразу закрыть её, сообщив итог, как Kiv
            Manager («Ошибка GBP: нет ответа на AT-команду!»); ничего не
            читается и не записывается
  --find    какое последовательное устройство — кабель: каждое DEVICE (по
            умолчанию все имеющиеся) ставится за порт, связь открывается,
            запрашивается размер 2-18, связь закрывается; ничего не
            записывается. О каждом устройстве: «отвечает (в 2-18 12 байт)»,
            «нет ответа», «нельзя открыть (группа dialout)» или «занято»; код
            выхода 0, если одно ответило. Только для библиотеки Windows под
            Wine: библиотека Linux выбирает устройство сама</translation>
    </message>
    <message>
        <source>the changes kept before they replaced a section</source>
        <translation>изменения, сохранённые перед заменой секции</translation>
    </message>
    <message>
        <source>Lists the history, oldest first: before an upload, convert, clear, library upload,
preferences update, restore or undo replaces or erases a section that holds
something, the section is kept in $XDG_DATA_HOME/kiv-manager/history (the last
200 changes, at most 64 MB). Each line: id, time, section, change, what the
section held before and what the change left there. [History] Keep=0 in the
manager&apos;s settings file turns the history off.

  --json    an array of objects: id, folder, time, change, address, before,
            before_size, before_sha256, after, after_size, after_sha256, finished,
            taken_back (an undo has written back what it replaced)</source>
        <translation>Выводит историю, от старых изменений к новым: прежде чем запись,
преобразование, очистка, запись библиотеки, обновление настроек,
восстановление или отмена изменения заменит или сотрёт секцию, в которой что-то есть,
секция сохраняется в $XDG_DATA_HOME/kiv-manager/history (последние 200
изменений, не более 64 МБ). Каждая строка: номер, время, секция, изменение, что
было в секции до него и что изменение в ней оставило. [History] Keep=0 в файле
настроек Kiv Manager выключает историю.

  --json    массив объектов: id, folder, time, change, address, before,
            before_size, before_sha256, after, after_size, after_sha256, finished,
            taken_back (отмена записала обратно то, что изменение заменило)</translation>
    </message>
    <message>
        <source>take back a change of the history, the last one by default</source>
        <translation>отменить изменение из истории (последнее)</translation>
    </message>
    <message>
        <source>Writes back what the section held before change ID (by default the last change
not taken back yet), checked by reading it back. Refused, with nothing written,
when the section no longer holds what the change left there (size and SHA-256),
or when the kept copy does not match its SHA-256. The undo is a change of its own.</source>
        <translation>Записывает обратно то, что было в секции до изменения ID (по умолчанию —
последнего ещё не отменённого), с проверкой обратным чтением. Отказ без
всякой записи, если в секции уже не то, что оставило изменение (размер и
SHA-256), или если сохранённая копия не совпадает со своим SHA-256. Отмена изменения —
тоже изменение.</translation>
    </message>
    <message>
        <source>Phone options:
  --port COM1..COM4    default: COM-Port of the manager&apos;s settings file, else COM1
  --slots FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL
                       default: the ranges of the manager&apos;s settings file, else
                       9-29,10-14
  --progress           progress on stderr even when it is not a terminal: the sections
                       of list, backup and restore, the running time of get and put
  --link FILE          the phone-link library for this run; default: Library= of the
                       settings file&apos;s [Link], else the manager&apos;s search order. A
                       Windows DLL, 32-bit or 64-bit, runs in the Windows link host of
                       its width under Wine (WINELOADER, else for 64 bits wine64, else
                       wine; prefix: WINEPREFIX, else $XDG_DATA_HOME/kiv-manager/wine)
  --isolate            run the library in the link host, a process of its own, where
                       every call has a deadline and a crash ends only the host
                       (default: Isolate= of [Link], else off)
  --timeout-factor N   scale the link host&apos;s deadlines (15 s a call, plus the time
                       its bytes take at 2,400 baud) by N; default: Timeout= of
                       [Link], else 1
  --serial COMn=DEVICE the serial device behind a COM port, COM1=/dev/ttyUSB0; once
                       for each port. Checked before the link opens (missing device,
                       no permission); default: COM1= ... COM4= of [Link]</source>
        <translation>Ключи команд для телефона:
  --port COM1..COM4    по умолчанию: COM-Port из файла настроек Kiv Manager,
                       иначе COM1
  --slots FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL
                       по умолчанию: диапазоны из файла настроек Kiv Manager,
                       иначе 9-29,10-14
  --progress           ход работы в stderr, даже если это не терминал: секции
                       у list, backup и restore, время работы у get и put
  --link FILE          библиотека связи с телефоном на этот запуск; по
                       умолчанию: Library= из [Link] файла настроек, иначе
                       порядок поиска Kiv Manager. DLL Windows, 32- или
                       64-битная, работает в процессе-посреднике Windows своей
                       разрядности под Wine (WINELOADER, иначе для 64 бит
                       wine64, иначе wine; префикс: WINEPREFIX, иначе
                       $XDG_DATA_HOME/kiv-manager/wine)
  --isolate            запускать библиотеку в процессе-посреднике, отдельном
                       процессе, где у каждого вызова есть срок, а сбой
                       завершает только этот процесс (по умолчанию: Isolate=
                       из [Link], иначе нет)
  --timeout-factor N   умножить сроки процесса-посредника (15 с на вызов плюс время
                       передачи его байтов на 2 400 бод) на N; по умолчанию:
                       Timeout= из [Link], иначе 1
  --serial COMn=DEVICE последовательное устройство за COM-портом,
                       COM1=/dev/ttyUSB0; по одному на порт. Проверяется до
                       открытия связи (нет устройства, нет прав); по
                       умолчанию: COM1= ... COM4= из [Link]</translation>
    </message>
    <message>
        <source>Writable sections: put and clear write only where the manager&apos;s window can, the
configured slots (18-9..18-29 and 2-10..2-14 by default) and the sections of the
libraries and the preferences record, 2-16, 2-17 and 2-18. Elsewhere the phone keeps
its own data: they refuse, naming the writable sections, unless --force is given.</source>
        <translation>Записываемые секции: put и clear пишут только туда, куда может писать окно Kiv
Manager: в настроенные слоты (по умолчанию 18-9..18-29 и 2-10..2-14) и в секции
библиотек и записи настроек, 2-16, 2-17 и 2-18. Остальное телефон хранит для
себя: туда они не пишут и называют записываемые секции, если не указан --force.</translation>
    </message>
    <message>
        <source>Options may stand before or after the command; after &quot;--&quot; every word is an operand.
A FILE, IN, OUT or TEXT of &quot;-&quot; is standard input or output.</source>
        <translation>Ключи можно ставить до или после команды; после «--» каждое слово — операнд.
FILE, IN, OUT или TEXT, равный «-», — это стандартный ввод или вывод.</translation>
    </message>
    <message>
        <source>Exit status: 0 done, 1 failed, 2 the command line was not understood.</source>
        <translation>Код выхода: 0 — готово, 1 — сбой, 2 — командная строка не понята.</translation>
    </message>
    <message>
        <source>Usage: kivnvm COMMAND [OPTIONS] ARGUMENTS
       kivnvm help COMMAND    the command&apos;s help, as &apos;kivnvm COMMAND --help&apos;

Files:
%1

Phone (sections written S-SS, e.g. 18-9 or 02-10):
%2

%3

%4

%5

  -h, --help, --version

%6</source>
        <extracomment>%1 and %2 are the lists of commands, %3 to %6 the paragraphs of the options, the writable sections, the operands and the exit status.</extracomment>
        <translation>Использование: kivnvm COMMAND [OPTIONS] ARGUMENTS
               kivnvm help COMMAND    справка по команде (kivnvm COMMAND --help)

Файлы:
%1

Телефон (секции пишутся как S-SS, например 18-9 или 02-10):
%2

%3

%4

%5

  -h, --help, --version

%6</translation>
    </message>
    <message>
        <source>Usage: kivnvm %1</source>
        <extracomment>%1 is the command line of a command: &quot;get S-SS FILE&quot;.</extracomment>
        <translation>Использование: kivnvm %1</translation>
    </message>
    <message>
        <source>usage: kivnvm %1</source>
        <translation>использование: kivnvm %1</translation>
    </message>
    <message>
        <source>The history is turned off ([History] Keep=0 in %1)</source>
        <translation>История выключена ([History] Keep=0 в %1)</translation>
    </message>
    <message>
        <source>undo takes at most one change</source>
        <translation>undo принимает не более одного изменения</translation>
    </message>
    <message>
        <source>%1: %2 exists, left as it is (--replace replaces it)</source>
        <extracomment>%1 is the section, %2 the file.</extracomment>
        <translation>%1: %2 уже есть, оставлен как есть (--replace заменяет его)</translation>
    </message>
    <message>
        <source>get --all takes one folder and no sections</source>
        <translation>get --all принимает одну папку и никаких секций</translation>
    </message>
    <message>
        <source>get --into DIR takes the sections to save</source>
        <translation>get --into DIR принимает секции, которые нужно сохранить</translation>
    </message>
    <message>
        <source>free</source>
        <translation>свободен</translation>
    </message>
    <message>
        <source>replaces %1</source>
        <extracomment>What the slot holds now: &quot;replaces Calculator (UFIF 2.1)&quot;.</extracomment>
        <translation>заменяет %1</translation>
    </message>
    <message>
        <source>compressed</source>
        <translation>сжат</translation>
    </message>
    <message>
        <source>UFIF 2.0, converted for %1</source>
        <translation>UFIF 2.0, преобразуется для %1</translation>
    </message>
    <message>
        <source>UFIF 2.0, not converted</source>
        <translation>UFIF 2.0, не преобразуется</translation>
    </message>
    <message>
        <source>put --into-free takes the files to upload</source>
        <translation>put --into-free принимает файлы для записи</translation>
    </message>
    <message>
        <source>--from %1 is not a slot</source>
        <translation>--from %1 — не слот</translation>
    </message>
    <message>
        <source>%1 -&gt; no free slot left</source>
        <translation>%1 -&gt; свободных слотов не осталось</translation>
    </message>
    <message>
        <source>--dry-run and --from go with --into-free</source>
        <translation>--dry-run и --from используются вместе с --into-free</translation>
    </message>
    <message>
        <source>--port takes COM1, COM2, COM3 or COM4, not &apos;%1&apos;</source>
        <translation>--port принимает COM1, COM2, COM3 или COM4, а не «%1»</translation>
    </message>
    <message>
        <source>--slots takes FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL, not &apos;%1&apos;</source>
        <translation>--slots принимает FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL, а не «%1»</translation>
    </message>
    <message>
        <source>--slots: a range ends before it begins in &apos;%1&apos;</source>
        <translation>--slots: в «%1» диапазон заканчивается раньше, чем начинается</translation>
    </message>
    <message>
        <source>--slots: at most %1 slots in all</source>
        <translation>--slots: всего не более %1 слотов</translation>
    </message>
    <message>
        <source>the slot ranges reach subsection %1; subsections go up to 255</source>
        <translation>диапазоны слотов доходят до подсекции %1, а подсекции бывают только до 255</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a section address such as 18-9 (numbers 0 to 255)</source>
        <translation>«%1» — не адрес секции вида 18-9 (числа от 0 до 255)</translation>
    </message>
    <message>
        <source>--icon takes an icon code of the icon list such as E852, not &apos;%1&apos;</source>
        <translation>--icon принимает код значка из списка значков, например E852, а не «%1»</translation>
    </message>
    <message>
        <source>give either --firmware or --firmware-index, not both</source>
        <translation>укажите --firmware или --firmware-index, но не оба</translation>
    </message>
    <message>
        <source>--firmware-index takes 0 to %1, not &apos;%2&apos;</source>
        <translation>--firmware-index принимает числа от 0 до %1, а не «%2»</translation>
    </message>
    <message>
        <source>from --port</source>
        <extracomment>Where the port came from, after the port: &quot;(COM2, from --port)&quot;.</extracomment>
        <translation>из --port</translation>
    </message>
    <message>
        <source>from the settings file %1</source>
        <translation>из файла настроек %1</translation>
    </message>
    <message>
        <source>the default: no settings file %1</source>
        <translation>по умолчанию: нет файла настроек %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no timeout factor: give a positive number such as 0.5 or 3</source>
        <translation>«%1» — не множитель времени ожидания: укажите положительное число, например 0.5 или 3</translation>
    </message>
    <message>
        <source>--serial takes COMn=DEVICE such as COM1=/dev/ttyUSB0, not &apos;%1&apos;</source>
        <translation>--serial принимает COMn=DEVICE, например COM1=/dev/ttyUSB0, а не «%1»</translation>
    </message>
    <message>
        <source>--icon goes with --compress</source>
        <translation>--icon используется вместе с --compress</translation>
    </message>
    <message>
        <source>--firmware and --firmware-index go with --convert</source>
        <translation>--firmware и --firmware-index используются вместе с --convert</translation>
    </message>
    <message>
        <source>Section %1 is neither a slot nor a library or preferences section, so the phone may keep its own data there; kivnvm writes only %2. Give --force to write it anyway.</source>
        <extracomment>%2 lists the writable sections: &quot;18-9..18-29, 2-10..2-14, 2-16, 2-17, 2-18&quot;.</extracomment>
        <translation>Секция %1 — не слот и не секция библиотеки или записи настроек, поэтому телефон может хранить в ней свои данные; kivnvm пишет только в %2. Укажите --force, чтобы всё же записать её.</translation>
    </message>
    <message>
        <source>reading %1</source>
        <translation>чтение %1</translation>
    </message>
    <message>
        <source>read %1</source>
        <translation>прочитана %1</translation>
    </message>
    <message>
        <source>Not a UFIF 2.0 program: uploaded unchanged</source>
        <translation>Не программа UFIF 2.0: записана без изменений</translation>
    </message>
    <message>
        <source>writing %1</source>
        <translation>запись %1</translation>
    </message>
    <message>
        <source>wrote and checked %1</source>
        <translation>записана и проверена %1</translation>
    </message>
    <message>
        <source>Section %1: %2</source>
        <translation>Секция %1: %2</translation>
    </message>
    <message>
        <source>The LZO container takes %1 bytes, more than the %2 of the file: its data does not compress</source>
        <translation>Контейнер LZO занимает %1 байт, больше %2 байт самого файла: его данные не сжимаются</translation>
    </message>
    <message>
        <source>Erased!</source>
        <translation>Стёрто!</translation>
    </message>
    <message>
        <source>%1: %2 s</source>
        <extracomment>%1 is what is being done: &quot;reading 18-9&quot;; %2 the seconds it has taken so far.</extracomment>
        <translation>%1: %2 с</translation>
    </message>
    <message>
        <source>%1 in %2 s</source>
        <translation>%1 за %2 с</translation>
    </message>
    <message>
        <source>Library: %1</source>
        <translation>Библиотека: %1</translation>
    </message>
    <message>
        <source>Runs: %1</source>
        <extracomment>%1 is how the library runs: &quot;in this process&quot;, &quot;in the link host&quot;</extracomment>
        <translation>Работает: %1</translation>
    </message>
    <message>
        <source>runs only 64-bit programs</source>
        <translation>запускает только 64-битные программы</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>не найден</translation>
    </message>
    <message>
        <source>Wine: %1</source>
        <translation>Wine: %1</translation>
    </message>
    <message>
        <source>Wine: %1 (%2)</source>
        <extracomment>%1 is Wine&apos;s program, %2 its version: &quot;wine-8.0 (Debian 8.0~repack-4)&quot;</extracomment>
        <translation>Wine: %1 (%2)</translation>
    </message>
    <message>
        <source>Wine prefix: %1 (made)</source>
        <translation>Префикс Wine: %1 (создан)</translation>
    </message>
    <message>
        <source>Wine prefix: %1 (made at the first use)</source>
        <translation>Префикс Wine: %1 (будет создан при первом использовании)</translation>
    </message>
    <message>
        <source>Exports: none</source>
        <translation>Экспорты: нет</translation>
    </message>
    <message>
        <source>Exports: %1</source>
        <extracomment>%1 lists the library&apos;s entry points: &quot;InitGBPMode, EndGBPMode&quot;</extracomment>
        <translation>Экспорты: %1</translation>
    </message>
    <message>
        <source>%1: %2 (present, may be opened)</source>
        <extracomment>%1 is the port: &quot;COM1&quot;, %2 the device behind it</extracomment>
        <translation>%1: %2 (есть, открыть можно)</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <extracomment>%1 is the port: &quot;COM1&quot;, %2 the device behind it, %3 why it cannot be opened</extracomment>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>Usable: yes</source>
        <translation>Пригодна: да</translation>
    </message>
    <message>
        <source>Usable: no (%1)</source>
        <translation>Пригодна: нет (%1)</translation>
    </message>
    <message>
        <source>Link test on %1: %2</source>
        <extracomment>%1 is the port: &quot;COM1&quot;, %2 the outcome, or the phone-link library&apos;s message</extracomment>
        <translation>Проверка связи на %1: %2</translation>
    </message>
    <message>
        <source>link takes devices only with --find</source>
        <translation>link принимает устройства только с --find</translation>
    </message>
    <message>
        <source>Keep it for %1 with --serial %1=%2, or %1=%2 in [Link] of %3</source>
        <extracomment>%1 is the port: &quot;COM1&quot;, %2 the device, %3 the settings file</extracomment>
        <translation>Чтобы это устройство осталось за %1, укажите --serial %1=%2 или добавьте строку %1=%2 в [Link] файла %3</translation>
    </message>
    <message>
        <source>%1; this change cannot be taken back</source>
        <extracomment>%1 says which section the history kept no copy of, and why.</extracomment>
        <translation>%1; это изменение нельзя будет отменить</translation>
    </message>
    <message>
        <source>Compressed: %1, %2 unpacked</source>
        <extracomment>%1 is the compression ratio as the grid shows it.</extracomment>
        <translation>Сжато: %1, без сжатия %2</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Размер: %1</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>не прочитано</translation>
    </message>
    <message>
        <source>section %1 of %2 (%3), %4</source>
        <extracomment>%3 is the section&apos;s address, %4 the bytes moved so far (&quot;300 bytes&quot;).</extracomment>
        <translation>секция %1 из %2 (%3), %4</translation>
    </message>
    <message>
        <source>%1: %2 in %3 s</source>
        <extracomment>%1 is what was done: &quot;read 18-9&quot;.</extracomment>
        <translation>%1: %2 за %3 с</translation>
    </message>
    <message>
        <source>Restore incomplete</source>
        <translation>Восстановлено не всё</translation>
    </message>
    <message>
        <source>%1: no phone command runs until it can be read</source>
        <extracomment>%1 says which settings file could not be read, and why.</extracomment>
        <translation>%1: команды для телефона не выполняются, пока его нельзя прочитать</translation>
    </message>
    <message>
        <source>Exports: not checked (%1)</source>
        <extracomment>%1 is why: &quot;the link host did not start&quot;</extracomment>
        <translation>Экспорт: не проверен (%1)</translation>
    </message>
    <message>
        <source>create a demo phone on COM1 of the virtual phone&apos;s store DIR</source>
        <translation>создать демо-телефон на COM1 в хранилище виртуального телефона DIR</translation>
    </message>
    <message>
        <source>Creates a demo phone on COM1 of the virtual phone&apos;s store DIR, in its folder DIR/COM1
(DIR\port1 on Windows): programs of every kind, a compressed program, a picture, a
ringer, a picture pack, data, empty slots, both libraries and the preferences
record. A port folder that holds anything is refused.

  --force        replace the phone there (a folder, not a link) by a new one</source>
        <translation>Создаёт демо-телефон на COM1 в хранилище виртуального телефона DIR, в его папке
DIR/COM1 (DIR\port1 в Windows): программы всех видов, сжатую программу, картинку,
мелодию звонка, набор картинок, данные, пустые слоты, обе библиотеки и запись
настроек. Если в папке порта что-то есть, команда отказывается.

  --force        заменить телефон там (папку, не ссылку) новым</translation>
    </message>
    <message>
        <source>Library: %1 (%2)</source>
        <extracomment>%1 is the library&apos;s file, %2 &quot;demo phone&quot;</extracomment>
        <translation>Библиотека: %1 (%2)</translation>
    </message>
    <message>
        <source>Use it with --port %1, or choose %1 in Kiv Manager&apos;s port list</source>
        <extracomment>%1 is the port that answered: &quot;COM3&quot;</extracomment>
        <translation>Укажите --port %1 или выберите %1 в списке портов Kiv Manager</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» не является целым числом</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Не удалось открыть файл %1</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Не удалось создать файл %1</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Не удалось записать в %1</translation>
    </message>
    <message>
        <source>it is a named pipe, not a regular file</source>
        <translation>это именованный канал, а не обычный файл</translation>
    </message>
    <message>
        <source>it is a device or socket, not a regular file</source>
        <translation>это устройство или сокет, а не обычный файл</translation>
    </message>
    <message>
        <source>GBP Error: Port already opened!</source>
        <translation>Ошибка GBP: порт уже открыт!</translation>
    </message>
    <message>
        <source>GBP Error: Can&apos;t open port!</source>
        <translation>Ошибка GBP: не удалось открыть порт!</translation>
    </message>
    <message>
        <source>GBP Error: No AT response!</source>
        <translation>Ошибка GBP: нет ответа на AT-команду!</translation>
    </message>
    <message>
        <source>GBP Error: Port must be opened!</source>
        <translation>Ошибка GBP: порт должен быть открыт!</translation>
    </message>
    <message>
        <source>GBP Error: COMM Error!</source>
        <translation>Ошибка GBP: ошибка обмена через порт!</translation>
    </message>
    <message>
        <source>GBP Error: No Memory!</source>
        <translation>Ошибка GBP: не хватает памяти!</translation>
    </message>
    <message>
        <source>GBP Error: Invalid arguments!</source>
        <translation>Ошибка GBP: неверные аргументы!</translation>
    </message>
    <message>
        <source>GBP Error: Unknown error #%1!</source>
        <translation>Ошибка GBP: неизвестная ошибка №%1!</translation>
    </message>
    <message>
        <source>Unable to open GPB.DLL</source>
        <translation>Не удалось открыть GPB.DLL</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>ОШИБКА</translation>
    </message>
    <message>
        <source>OK!</source>
        <translation>Готово!</translation>
    </message>
    <message>
        <source>Error getting section %1 size</source>
        <translation>Ошибка получения размера секции %1</translation>
    </message>
    <message>
        <source>Error reading section %1</source>
        <translation>Ошибка чтения секции %1</translation>
    </message>
    <message>
        <source>The link was lost at section %1 (%2)</source>
        <extracomment>%1 is a section (&quot;18-11&quot;), %2 why the link was lost</extracomment>
        <translation>Связь с телефоном прервалась на секции %1 (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t uplod - file too big!</source>
        <translation>Не удалось записать: файл слишком велик!</translation>
    </message>
    <message>
        <source>Can&apos;t uplod - library file too big!</source>
        <translation>Не удалось записать: файл библиотеки слишком велик!</translation>
    </message>
    <message>
        <source>Section uploaded sucsessfully!</source>
        <translation>Секция успешно записана!</translation>
    </message>
    <message>
        <source>Section uploaded with error or out of memory!
Try to upload again or free some NVM memory</source>
        <translation>Секция записана с ошибкой или не хватило памяти!
Попробуйте записать ещё раз или освободите часть памяти NVM</translation>
    </message>
    <message numerus="yes">
        <source>%1 bytes</source>
        <translation>
            <numerusform>%1 байт</numerusform>
            <numerusform>%1 байта</numerusform>
            <numerusform>%1 байт</numerusform>
        </translation>
    </message>
    <message>
        <source>it is not in INI format</source>
        <translation>это не файл формата INI</translation>
    </message>
    <message>
        <source>demo phone</source>
        <translation>демо-телефон</translation>
    </message>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>это папка, а не обычный файл</translation>
    </message>
</context>
<context>
    <name>Details</name>
    <message>
        <source>Reading section %1...</source>
        <translation>Чтение секции %1...</translation>
    </message>
    <message>
        <source>Read!</source>
        <translation>Прочитано!</translation>
    </message>
    <message>
        <source>%1, picture %2</source>
        <translation>%1, картинка %2</translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation>Каталог</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Preferences record</source>
        <translation>Запись настроек</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Подпись</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Format word</source>
        <translation>Слово формата</translation>
    </message>
    <message>
        <source>none: not a program</source>
        <translation>нет: это не программа</translation>
    </message>
    <message>
        <source>Icon code</source>
        <translation>Код значка</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Icon picture</source>
        <translation>Картинка значка</translation>
    </message>
    <message>
        <source>Unpacked size</source>
        <translation>Размер без сжатия</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Степень сжатия</translation>
    </message>
    <message>
        <source>Program header</source>
        <translation>Заголовок программы</translation>
    </message>
    <message>
        <source>ELF magic</source>
        <translation>Сигнатура ELF</translation>
    </message>
    <message>
        <source>Program headers at (e_phoff)</source>
        <translation>Заголовки программы с (e_phoff)</translation>
    </message>
    <message>
        <source>First segment at (p_offset)</source>
        <translation>Первый сегмент с (p_offset)</translation>
    </message>
    <message>
        <source>not read: the program headers lie beyond byte 120</source>
        <translation>не прочитано: заголовки программы лежат дальше байта 120</translation>
    </message>
    <message>
        <source>Header offset</source>
        <translation>Смещение заголовка</translation>
    </message>
    <message>
        <source>0 (plain header)</source>
        <translation>0 (простой заголовок)</translation>
    </message>
    <message>
        <source>Name bytes</source>
        <translation>Байты имени</translation>
    </message>
    <message>
        <source>%1 (body: the plain header ends here)</source>
        <translation>%1 (тело программы: простой заголовок кончается здесь)</translation>
    </message>
    <message>
        <source>Icon word A</source>
        <translation>Слово значка A</translation>
    </message>
    <message>
        <source>Icon word B</source>
        <translation>Слово значка B</translation>
    </message>
    <message>
        <source>LZO container</source>
        <translation>Контейнер LZO</translation>
    </message>
    <message>
        <source>Magic</source>
        <translation>Сигнатура</translation>
    </message>
    <message>
        <source>%1, not a program</source>
        <translation>%1, не программа</translation>
    </message>
    <message>
        <source>Unpacked length</source>
        <translation>Длина без сжатия</translation>
    </message>
    <message>
        <source>LZO1X stream</source>
        <translation>Поток LZO1X</translation>
    </message>
    <message>
        <source>Trailer block</source>
        <translation>Хвостовой блок</translation>
    </message>
    <message>
        <source>%1, copied whole</source>
        <translation>%1, копируется целиком</translation>
    </message>
    <message>
        <source>damaged: it points to offset %1</source>
        <translation>повреждён: указывает на смещение %1</translation>
    </message>
    <message>
        <source>Unpacks</source>
        <translation>Распаковывается</translation>
    </message>
    <message>
        <source>yes: %1, the stored length</source>
        <translation>да: %1, как записано</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержимое</translation>
    </message>
    <message>
        <source>no: %1</source>
        <translation>нет: %1</translation>
    </message>
    <message>
        <source>GIF picture</source>
        <translation>Картинка GIF</translation>
    </message>
    <message>
        <source>Signature</source>
        <translation>Сигнатура</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ширина</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <source>Global colour table</source>
        <translation>Общая палитра</translation>
    </message>
    <message numerus="yes">
        <source>%n colours</source>
        <translation>
            <numerusform>%n цвет</numerusform>
            <numerusform>%n цвета</numerusform>
            <numerusform>%n цветов</numerusform>
        </translation>
    </message>
    <message>
        <source>PRG3 library</source>
        <translation>Библиотека PRG3</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Выпуск</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Число слов</translation>
    </message>
    <message>
        <source>Word %1</source>
        <translation>Слово %1</translation>
    </message>
    <message>
        <source>Left over</source>
        <translation>Остаток</translation>
    </message>
    <message>
        <source>Ringer</source>
        <translation>Мелодия звонка</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Only programs</source>
        <translation>Только программы</translation>
    </message>
    <message>
        <source>Progs and data</source>
        <translation>Программы и данные</translation>
    </message>
    <message>
        <source>Show all</source>
        <translation>Показывать всё</translation>
    </message>
    <message>
        <source>Menu show mode</source>
        <translation>Режим показа меню</translation>
    </message>
    <message>
        <source>%1: unknown to the dialog</source>
        <translation>%1: диалогу неизвестен</translation>
    </message>
    <message>
        <source>UFIF2 library</source>
        <translation>Библиотека UFIF2</translation>
    </message>
    <message>
        <source>%1 (not set: the default)</source>
        <translation>%1 (не задана: по умолчанию)</translation>
    </message>
    <message>
        <source>Autorun</source>
        <translation>Автозапуск</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>выключен</translation>
    </message>
    <message>
        <source>Reserved</source>
        <translation>Резерв</translation>
    </message>
    <message>
        <source>UFIF program</source>
        <translation>Программа UFIF</translation>
    </message>
    <message>
        <source>UFIF program in an ELF file</source>
        <translation>Программа UFIF в файле ELF</translation>
    </message>
    <message>
        <source>PRG 3 program</source>
        <translation>Программа PRG 3</translation>
    </message>
    <message>
        <source>PRG 3.5 program</source>
        <translation>Программа PRG 3.5</translation>
    </message>
    <message>
        <source>10 second ringer</source>
        <translation>10-секундная мелодия звонка</translation>
    </message>
    <message>
        <source>Picture pack</source>
        <translation>Набор картинок</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Данные</translation>
    </message>
</context>
<context>
    <name>Libraries</name>
    <message>
        <source>Checking data...</source>
        <translation>Проверка данных...</translation>
    </message>
    <message numerus="yes">
        <source>%1 Size: %n bytes</source>
        <extracomment>%1 is &quot;Section uploaded sucsessfully!&quot;</extracomment>
        <translation>
            <numerusform>%1 Размер: %n байт</numerusform>
            <numerusform>%1 Размер: %n байта</numerusform>
            <numerusform>%1 Размер: %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>Uploaded!</source>
        <translation>Записано!</translation>
    </message>
    <message>
        <source>Uploading data...</source>
        <translation>Запись данных...</translation>
    </message>
    <message>
        <source>Are you sure to upload library into section %1-%2?</source>
        <translation>Записать библиотеку в секцию %1-%2?</translation>
    </message>
    <message>
        <source>Upload library into %1-%2</source>
        <translation>Записать библиотеку в %1-%2</translation>
    </message>
    <message>
        <source>Upload PRG3 library into %1</source>
        <translation>Записать библиотеку PRG3 в %1</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>does not exist</source>
        <translation>не существует</translation>
    </message>
    <message>
        <source>may not be opened</source>
        <translation>нельзя открыть</translation>
    </message>
    <message>
        <source>may not be opened (group %1)</source>
        <extracomment>%1 is the group whose members may open the device: &quot;dialout&quot;</extracomment>
        <translation>нельзя открыть (группа %1)</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>занято</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>отменено</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>нет ответа</translation>
    </message>
    <message numerus="yes">
        <source>answers (2-18 holds %n bytes)</source>
        <translation>
            <numerusform>отвечает (в 2-18 %n байт)</numerusform>
            <numerusform>отвечает (в 2-18 %n байта)</numerusform>
            <numerusform>отвечает (в 2-18 %n байт)</numerusform>
        </translation>
    </message>
    <message>
        <source>answers (2-18 holds nothing)</source>
        <translation>отвечает (2-18 пуста)</translation>
    </message>
    <message>
        <source>answers, but asking the size of 2-18 gave %1</source>
        <extracomment>%1 is the phone-link library&apos;s error</extracomment>
        <translation>отвечает, но на запрос размера 2-18 пришло: %1</translation>
    </message>
    <message>
        <source>Find phone tries each device behind the COM port as Wine maps it, so it needs a Windows library; a Linux library chooses its device itself.</source>
        <translation>«Найти телефон» пробует каждое устройство за COM-портом так, как его привязывает Wine, и потому работает только с библиотекой Windows; библиотека Linux выбирает устройство сама.</translation>
    </message>
    <message>
        <source>No serial device is present: is the cable plugged in?</source>
        <translation>Нет ни одного последовательного устройства: подключён ли кабель?</translation>
    </message>
    <message>
        <source>%1: lacks %2</source>
        <extracomment>%1 is the library&apos;s file, %2 the entry points it lacks: &quot;InitGBPMode, ReadNVMFile&quot;</extracomment>
        <translation>%1: нет %2</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: такого файла нет</translation>
    </message>
    <message>
        <source>in the %1-bit link host under Wine</source>
        <translation>в %1-битном процессе-посреднике под Wine</translation>
    </message>
    <message>
        <source>in the link host</source>
        <translation>в процессе-посреднике</translation>
    </message>
    <message>
        <source>in this process</source>
        <translation>прямо в программе</translation>
    </message>
    <message>
        <source>the port is in use by another program (%1)</source>
        <extracomment>%1 is the system&apos;s reason: &quot;Device or resource busy&quot;</extracomment>
        <translation>порт занят другой программой (%1)</translation>
    </message>
    <message>
        <source>%1 on COM%2</source>
        <extracomment>%1 is the call&apos;s name, InitGBPMode; %2 the port&apos;s number</extracomment>
        <translation>%1 на COM%2</translation>
    </message>
    <message>
        <source>machine %1</source>
        <extracomment>%1 is the number of a processor the file is made for, when it has no name</extracomment>
        <translation>процессор %1</translation>
    </message>
    <message>
        <source>Linux library (%1-bit, %2)</source>
        <extracomment>%1 is 32 or 64, %2 the processor: &quot;x86-64&quot;</extracomment>
        <translation>библиотека Linux (%1 бит, %2)</translation>
    </message>
    <message>
        <source>Linux program, not a library (%1-bit, %2)</source>
        <translation>программа Linux, а не библиотека (%1 бит, %2)</translation>
    </message>
    <message>
        <source>%1-bit Windows library (%2)</source>
        <translation>%1-битная библиотека Windows (%2)</translation>
    </message>
    <message>
        <source>Windows program, not a library (%1-bit, %2)</source>
        <translation>программа Windows, а не библиотека (%1 бит, %2)</translation>
    </message>
    <message>
        <source>not a library</source>
        <translation>не библиотека</translation>
    </message>
    <message>
        <source>a %1-bit Windows library for %2: the link runs x86 ones (i386 or x86-64)</source>
        <translation>%1-битная библиотека Windows для %2: связь запускает только библиотеки x86 (i386 или x86-64)</translation>
    </message>
    <message>
        <source>a Windows program, not a library</source>
        <translation>программа Windows, а не библиотека</translation>
    </message>
    <message>
        <source>a Linux program, not a library</source>
        <translation>программа Linux, а не библиотека</translation>
    </message>
    <message>
        <source>not a library: neither a Linux shared object nor a Windows DLL</source>
        <translation>не библиотека: ни разделяемая библиотека Linux, ни DLL Windows</translation>
    </message>
    <message>
        <source>The link host %1 is missing: it was looked for in %2 and %3.</source>
        <extracomment>%1 is the link host&apos;s program, %2 and %3 the folders</extracomment>
        <translation>Процесса связи %1 нет: его искали в %2 и %3.</translation>
    </message>
    <message>
        <source>The link host %1 is missing: it was looked for in %2.</source>
        <translation>Процесса связи %1 нет: его искали в %2.</translation>
    </message>
    <message>
        <source>holds nothing</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>holds nothing, or the phone&apos;s I/O error</source>
        <translation>пусто или ошибка ввода-вывода телефона</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>link open</source>
        <translation>связь открыта</translation>
    </message>
    <message>
        <source>link closed</source>
        <translation>связь закрыта</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes read</source>
        <translation>
            <numerusform>прочитан %n байт</numerusform>
            <numerusform>прочитано %n байта</numerusform>
            <numerusform>прочитано %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>accepted</source>
        <translation>принято</translation>
    </message>
    <message>
        <source>erased</source>
        <translation>стёрто</translation>
    </message>
    <message numerus="yes">
        <source>The link works on COM%1: section 2-18 holds %n bytes.</source>
        <extracomment>%1 is the port&apos;s number</extracomment>
        <translation>
            <numerusform>Связь на COM%1 работает: в секции 2-18 %n байт.</numerusform>
            <numerusform>Связь на COM%1 работает: в секции 2-18 %n байта.</numerusform>
            <numerusform>Связь на COM%1 работает: в секции 2-18 %n байт.</numerusform>
        </translation>
    </message>
    <message>
        <source>The link works on COM%1: section 2-18 holds nothing.</source>
        <translation>Связь на COM%1 работает: секция 2-18 пуста.</translation>
    </message>
    <message>
        <source>The link opened on COM%1, but asking the size of 2-18 gave %2</source>
        <extracomment>%1 is the port&apos;s number, %2 the phone-link library&apos;s error</extracomment>
        <translation>Связь на COM%1 открылась, но на запрос размера 2-18 пришло: %2</translation>
    </message>
    <message>
        <source>COM%1 is %2, which does not exist: is the cable plugged in?</source>
        <extracomment>%1 is the port&apos;s number, %2 the device: &quot;/dev/ttyUSB0&quot;</extracomment>
        <translation>COM%1 — это %2, а такого устройства нет: подключён ли кабель?</translation>
    </message>
    <message>
        <source>Your account may not open %1 (group %2): add yourself with `sudo usermod -aG %2 $USER`, then log in again.</source>
        <extracomment>%1 is the device, %2 the group whose members may open it: &quot;dialout&quot;</extracomment>
        <translation>Вашей учётной записи нельзя открывать %1 (группа %2): добавьте себя в группу командой `sudo usermod -aG %2 $USER` и войдите в систему заново.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (mode %2, owner %3): give it read and write permission for your account or a group of yours.</source>
        <extracomment>%1 is the device, %2 its permissions in octal, %3 its owner</extracomment>
        <translation>Вашей учётной записи нельзя открывать %1 (права %2, владелец %3): дайте права на чтение и запись своей учётной записи или одной из своих групп.</translation>
    </message>
    <message>
        <source>no description</source>
        <translation>без описания</translation>
    </message>
    <message>
        <source>On Debian, install it with
  sudo dpkg --add-architecture i386
  sudo apt-get update
  sudo apt-get install wine wine32:i386</source>
        <translation>В Debian установите его так:
  sudo dpkg --add-architecture i386
  sudo apt-get update
  sudo apt-get install wine wine32:i386</translation>
    </message>
    <message>
        <source>This Wine runs only 64-bit programs: install wine32 for a 32-bit Windows library.</source>
        <translation>Этот Wine запускает только 64-битные программы: для 32-битной библиотеки Windows установите wine32.</translation>
    </message>
    <message>
        <source>WINELOADER=%1 is no program: a %2-bit Windows library runs under Wine.</source>
        <extracomment>%1 is the program WINELOADER names, %2 is 32 or 64</extracomment>
        <translation>WINELOADER=%1 — не программа, а %2-битная библиотека Windows работает под Wine.</translation>
    </message>
    <message>
        <source>Wine is not installed (no %1, no wine64 or wine on the PATH): a 64-bit Windows library runs under Wine. On Debian, install it with
  sudo apt-get install wine64</source>
        <extracomment>%1 is where Debian&apos;s wine64 package puts Wine</extracomment>
        <translation>Wine не установлен (нет ни %1, ни wine64 или wine в PATH), а 64-битная библиотека Windows работает под Wine. В Debian установите его так:
  sudo apt-get install wine64</translation>
    </message>
    <message>
        <source>Wine is not installed (no wine on the PATH): a 32-bit Windows library runs under Wine.</source>
        <translation>Wine не установлен (нет wine в PATH), а 32-битная библиотека Windows работает под Wine.</translation>
    </message>
    <message>
        <source>A Wine that runs only 64-bit programs ends a 32-bit one this way: install wine32 (sudo apt-get install wine32:i386 on Debian, after sudo dpkg --add-architecture i386).</source>
        <translation>Так завершает 32-битную программу Wine, который запускает только 64-битные: установите wine32 (в Debian — sudo apt-get install wine32:i386 после sudo dpkg --add-architecture i386).</translation>
    </message>
    <message>
        <source>Setting up Wine in %1 (once; this may take half a minute)...</source>
        <extracomment>%1 is the Wine prefix&apos;s folder</extracomment>
        <translation>Настройка Wine в %1 (один раз; может занять полминуты)...</translation>
    </message>
    <message>
        <source>Cannot remove %1</source>
        <translation>Не удалось удалить %1</translation>
    </message>
    <message>
        <source>Cannot link %1 to %2: %3</source>
        <extracomment>%1 is the prefix&apos;s link of a port, %2 the device, %3 the system&apos;s reason</extracomment>
        <translation>Не удалось связать %1 с %2: %3</translation>
    </message>
    <message>
        <source>Cannot map the serial ports in the Wine prefix %1: %2</source>
        <extracomment>%1 is the Wine prefix&apos;s folder, %2 what failed</extracomment>
        <translation>Не удалось привязать последовательные порты в префиксе Wine %1: %2</translation>
    </message>
    <message>
        <source>Cannot record the serial ports in %1: %2</source>
        <extracomment>%1 is the record&apos;s file, %2 the system&apos;s reason</extracomment>
        <translation>Не удалось записать последовательные порты в %1: %2</translation>
    </message>
    <message>
        <source>%1 s</source>
        <extracomment>A time in seconds: &quot;16 s&quot;, &quot;0.15 s&quot;.</extracomment>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>The link host speaks protocol version %1, not %2; the link was closed.</source>
        <translation>Процесс-посредник использует протокол версии %1, а не %2; связь закрыта.</translation>
    </message>
    <message>
        <source>The link host sent a malformed hello; the link was closed.</source>
        <translation>Процесс-посредник прислал неверное приветствие; связь закрыта.</translation>
    </message>
    <message>
        <source>The link host is not running.</source>
        <translation>Процесс-посредник не запущен.</translation>
    </message>
    <message>
        <source>The link host sent a short answer to %1; the link was closed.</source>
        <translation>Процесс-посредник прислал неполный ответ на %1; связь закрыта.</translation>
    </message>
    <message>
        <source>The link host sent a malformed answer to %1; the link was closed.</source>
        <translation>Процесс-посредник прислал неверный ответ на %1; связь закрыта.</translation>
    </message>
    <message numerus="yes">
        <source>The phone-link library claimed %n bytes from %1 into a buffer of %2; the link was closed.</source>
        <translation>
            <numerusform>Библиотека связи с телефоном вернула %n байт из %1 в буфер размером %2; связь закрыта.</numerusform>
            <numerusform>Библиотека связи с телефоном вернула %n байта из %1 в буфер размером %2; связь закрыта.</numerusform>
            <numerusform>Библиотека связи с телефоном вернула %n байт из %1 в буфер размером %2; связь закрыта.</numerusform>
        </translation>
    </message>
    <message>
        <source>The link host did not start within %1; it was closed.</source>
        <translation>Процесс-посредник не запустился за %1 и был закрыт.</translation>
    </message>
    <message>
        <source>The phone-link library did not answer %1 within %2; the link was closed.</source>
        <translation>Библиотека связи с телефоном не ответила на %1 за %2; связь закрыта.</translation>
    </message>
    <message>
        <source>Cancelled: the link host was still starting after %1; it was closed.</source>
        <translation>Отменено: процесс-посредник всё ещё запускался через %1 и был закрыт.</translation>
    </message>
    <message>
        <source>Cancelled: the library was still in %1 after %2; the link was closed.</source>
        <translation>Отменено: библиотека всё ещё выполняла %1 через %2; связь закрыта.</translation>
    </message>
    <message>
        <source>The link host closed its output during its start; the link was closed.</source>
        <translation>Процесс-посредник закрыл свой вывод во время запуска; связь закрыта.</translation>
    </message>
    <message>
        <source>The phone-link library stopped during its start (%1).</source>
        <translation>Библиотека связи с телефоном остановилась во время запуска (%1).</translation>
    </message>
    <message>
        <source>The link host closed its output during %1; the link was closed.</source>
        <translation>Процесс-посредник закрыл свой вывод во время %1; связь закрыта.</translation>
    </message>
    <message>
        <source>The phone-link library stopped during %1 (%2).</source>
        <translation>Библиотека связи с телефоном остановилась во время %1 (%2).</translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short hello: %n bytes, then nothing for %1; the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байт, затем ничего в течение %1; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байта, затем ничего в течение %1; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байт, затем ничего в течение %1; связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short answer to %1: %n bytes, then nothing for %2; the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байт, затем ничего в течение %2; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байта, затем ничего в течение %2; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байт, затем ничего в течение %2; связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short hello: %n bytes, then it closed its output; the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байт, затем закрыл свой вывод; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байта, затем закрыл свой вывод; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байт, затем закрыл свой вывод; связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short hello: %n bytes, then it ended (%1); the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байт, затем завершился (%1); связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байта, затем завершился (%1); связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполное приветствие: %n байт, затем завершился (%1); связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short answer to %1: %n bytes, then it closed its output; the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байт, затем закрыл свой вывод; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байта, затем закрыл свой вывод; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байт, затем закрыл свой вывод; связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a short answer to %1: %n bytes, then it ended (%2); the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байт, затем завершился (%2); связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байта, затем завершился (%2); связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал неполный ответ на %1: %n байт, затем завершился (%2); связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host sent a hello of %n bytes, longer than the %1 a hello may have; the link was closed.</source>
        <translation>
            <numerusform>Процесс-посредник прислал приветствие длиной %n байт, больше допустимых %1; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал приветствие длиной %n байта, больше допустимых %1; связь закрыта.</numerusform>
            <numerusform>Процесс-посредник прислал приветствие длиной %n байт, больше допустимых %1; связь закрыта.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The link host answered %n bytes to a call that allows %1 (%2); the link was closed.</source>
        <extracomment>%n bytes of the answer; %1 the most the call allows; %2 the call, &quot;GetNVMFileSize 18-9&quot;.</extracomment>
        <translation>
            <numerusform>Процесс-посредник ответил %n байтом на вызов, который допускает не более %1 (%2); связь закрыта.</numerusform>
            <numerusform>Процесс-посредник ответил %n байтами на вызов, который допускает не более %1 (%2); связь закрыта.</numerusform>
            <numerusform>Процесс-посредник ответил %n байтами на вызов, который допускает не более %1 (%2); связь закрыта.</numerusform>
        </translation>
    </message>
    <message>
        <source>The link host wrote something else than its answers to its standard output during its start (&quot;%1&quot;); the link was closed.</source>
        <translation>Процесс-посредник во время запуска записал в стандартный вывод что-то кроме ответов («%1»); связь закрыта.</translation>
    </message>
    <message>
        <source>The link host wrote something else than its answers to its standard output during %1 (&quot;%2&quot;); the link was closed.</source>
        <translation>Процесс-посредник во время %1 записал в стандартный вывод что-то кроме ответов («%2»); связь закрыта.</translation>
    </message>
    <message>
        <source>signal %1</source>
        <extracomment>How a process ended: &quot;signal 11&quot;.</extracomment>
        <translation>по сигналу %1</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <extracomment>How a process ended: &quot;exit status 3&quot;.</extracomment>
        <translation>код выхода %1</translation>
    </message>
    <message>
        <source>The link host could not be started (%1).</source>
        <translation>Не удалось запустить процесс-посредник (%1).</translation>
    </message>
    <message>
        <source>The link host could not be started (%1: %2).</source>
        <translation>Не удалось запустить процесс-посредник (%1: %2).</translation>
    </message>
    <message>
        <source>answers (what 2-18 holds not told: size answer %1)</source>
        <extracomment>%1 is the size answer (-5)</extracomment>
        <translation>отвечает (что в 2-18, не сообщено: ответ о размере %1)</translation>
    </message>
    <message>
        <source>The link works on COM%1, but the phone did not tell what section 2-18 holds (size answer %2).</source>
        <extracomment>%1 is the port&apos;s number, %2 the size answer (-5)</extracomment>
        <translation>Связь на COM%1 работает, но телефон не сообщил, что в секции 2-18 (ответ о размере %2).</translation>
    </message>
    <message>
        <source>in the %1-bit link host</source>
        <translation>в %1-битном процессе-посреднике</translation>
    </message>
    <message>
        <source>a Linux library: on Windows the link runs Windows DLLs</source>
        <translation>библиотека Linux: в Windows связь работает с библиотеками DLL для Windows</translation>
    </message>
    <message>
        <source>The serial ports of the choice were not given back: %1</source>
        <extracomment>%1 says what failed</extracomment>
        <translation>Последовательные порты выбранной настройки не восстановлены: %1</translation>
    </message>
    <message>
        <source>not at all (it could not be loaded)</source>
        <extracomment>How the library runs, for a file that could not be loaded</extracomment>
        <translation>никак (её не удалось загрузить)</translation>
    </message>
    <message>
        <source>the library could not be loaded</source>
        <translation>библиотеку не удалось загрузить</translation>
    </message>
    <message>
        <source>the link host did not start</source>
        <translation>хост связи не запустился</translation>
    </message>
    <message>
        <source>This system&apos;s kernel runs no 32-bit programs, so a 32-bit Windows library cannot run here even with wine32 installed: use a 64-bit library, or a kernel with 32-bit support (IA-32 emulation).</source>
        <translation>Ядро этой системы не запускает 32-битные программы, поэтому 32-битная библиотека Windows здесь не работает даже с установленным wine32: возьмите 64-битную библиотеку или ядро с поддержкой 32-битных программ (эмуляция IA-32).</translation>
    </message>
    <message>
        <source>Bringing the Wine prefix %1 up to date for 32-bit programs (once; this may take half a minute)...</source>
        <extracomment>%1 is the Wine prefix&apos;s folder</extracomment>
        <translation>Префикс Wine %1 обновляется для 32-битных программ (один раз; это может занять полминуты)...</translation>
    </message>
    <message>
        <source>it still lacks Wine&apos;s 32-bit system</source>
        <translation>в нём по-прежнему нет 32-битной системы Wine</translation>
    </message>
    <message>
        <source>The Wine prefix %1 was made before Wine could run 32-bit programs and could not be brought up to date (%2): run `WINEPREFIX=%1 wineboot -u`, or move the folder away so that it is made afresh.</source>
        <extracomment>%1 is the Wine prefix&apos;s folder, %2 why the update failed</extracomment>
        <translation>Префикс Wine %1 создан, когда Wine ещё не запускал 32-битные программы, и обновить его не удалось (%2): выполните `WINEPREFIX=%1 wineboot -u` или переместите папку, чтобы он был создан заново.</translation>
    </message>
    <message>
        <source>%1 could not be started (%2)</source>
        <extracomment>%1 is the command: &quot;wine64 reg add ...&quot;, %2 the system&apos;s reason</extracomment>
        <translation>Не удалось запустить %1 (%2)</translation>
    </message>
    <message>
        <source>Cancelled: %1 was still running</source>
        <extracomment>%1 is the command: &quot;wine64 reg add ...&quot;</extracomment>
        <translation>Отменено: %1 ещё работала</translation>
    </message>
    <message>
        <source>%1 did not finish within %2</source>
        <extracomment>%1 is the command: &quot;wine64 reg add ...&quot;, %2 how long it was given: &quot;15 s&quot;</extracomment>
        <translation>%1 не завершилась за %2</translation>
    </message>
    <message>
        <source>%1 failed (%2): %3</source>
        <extracomment>%1 is the command, %2 how it ended: &quot;exit status 1&quot;, %3 what it printed</extracomment>
        <translation>%1 завершилась с ошибкой (%2): %3</translation>
    </message>
    <message>
        <source>out of reach: the library opens COM1 to COM4 only</source>
        <translation>недоступен: библиотека открывает только порты с COM1 по COM4</translation>
    </message>
</context>
<context>
    <name>Prefs</name>
    <message>
        <source>Uploaded!</source>
        <translation>Записано!</translation>
    </message>
    <message>
        <source>Uploading data...</source>
        <translation>Запись данных...</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Invalid big slot range: the last subsection comes before the first one.</source>
        <translation>Неверный диапазон больших слотов: последняя подсекция стоит раньше первой.</translation>
    </message>
    <message>
        <source>Invalid small slot range: the last subsection comes before the first one.</source>
        <translation>Неверный диапазон малых слотов: последняя подсекция стоит раньше первой.</translation>
    </message>
    <message>
        <source>The manager shows at most %1 slots; these ranges hold %2.</source>
        <extracomment>%1 is the most slots the grid holds, %2 how many the ranges entered hold.</extracomment>
        <translation>Программа показывает не более %1 слотов, а в этих диапазонах их %2.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2</source>
        <extracomment>%1 is the settings file, %2 the reason: &quot;Permission denied&quot;, &quot;it is a directory&quot;</extracomment>
        <translation>Не удаётся прочитать файл настроек %1: %2</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Simple application for view and modify NVM sections used by poplular Kiv-series firmware MOD for Sony Jxx and Z7 phones.</source>
        <translation>Простая программа для просмотра и изменения секций NVM, которые использует популярный мод прошивки серии Kiv для телефонов Sony Jxx и Z7.</translation>
    </message>
    <message>
        <source>Kiv Manager 2.0 by the Kiv Manager developers</source>
        <translation>Kiv Manager 2.0 от разработчиков Kiv Manager</translation>
    </message>
    <message>
        <source>Phone link: the GBP phone-link library (gbp.dll)</source>
        <translation>Связь с телефоном: библиотека связи GBP (gbp.dll)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Phone link: the GBP phone-link library (%1, %2)</source>
        <extracomment>%1 is the library&apos;s file name, %2 how it runs (&quot;in this process&quot;, &quot;in the link host&quot;).</extracomment>
        <translation>Связь с телефоном: библиотека связи GBP (%1, %2)</translation>
    </message>
    <message>
        <source>Phone link: the %1 (%2, %3)</source>
        <extracomment>%1 is &quot;demo phone&quot;, %2 the library&apos;s file name, %3 how it runs (&quot;in this process&quot;)</extracomment>
        <translation>Связь с телефоном: %1 (%2, %3)</translation>
    </message>
</context>
<context>
    <name>TBadAddrForm</name>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>TDetailsDialog</name>
    <message>
        <source>Details of %1</source>
        <translation>Подробности о секции %1</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Смещение</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Сохранить...</translation>
    </message>
    <message>
        <source>Save %1</source>
        <translation>Сохранить %1</translation>
    </message>
</context>
<context>
    <name>TExpertsForm</name>
    <message>
        <source>Manager options</source>
        <translation>Параметры программы</translation>
    </message>
    <message>
        <source>Big slots from 18-:        to: 18- </source>
        <extracomment>Two-digit fields cover the text right after each &quot;18-&quot;: keep &quot;18-&quot; twice, blanks after the first, nothing after the last.</extracomment>
        <translation>Большие слоты с 18-:        по: 18- </translation>
    </message>
    <message>
        <source>Small slots from 02-         to: 02- </source>
        <extracomment>Two-digit fields cover the text right after each &quot;02-&quot;: keep &quot;02-&quot; twice, blanks after the first, nothing after the last.</extracomment>
        <translation>Малые слоты с 02-         по: 02- </translation>
    </message>
    <message>
        <source>Be careful changing this values! Kiv3 mod uses only 18-09...18-29 and 02-10...02-14 slots for programs!</source>
        <translation>Меняйте эти значения осторожно! Мод Kiv3 держит программы только в слотах 18-09...18-29 и 02-10...02-14!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Address and FW version for UFIF2.1 conversion:</source>
        <translation>Адрес и прошивка для преобразования в UFIF2.1:</translation>
    </message>
</context>
<context>
    <name>TFolderPrompt</name>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Обзор...</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Выбрать</translation>
    </message>
    <message>
        <source>&amp;Folder (a new one is made):</source>
        <translation>&amp;Папка (будет создана новая):</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 — это файл, а не папка.</translation>
    </message>
    <message>
        <source>The folder %1 could not be made.</source>
        <translation>Не удалось создать папку %1.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>The serial port of the phone link: COM1 to COM4</source>
        <translation>Последовательный порт связи с телефоном: от COM1 до COM4</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметры</translation>
    </message>
    <message>
        <source>PRG&amp;3 library upload</source>
        <translation>Библиотека PRG&amp;3</translation>
    </message>
    <message>
        <source>Full &amp;Refresh</source>
        <translation>&amp;Обновить всё</translation>
    </message>
    <message>
        <source>Duzu &amp;Preferences</source>
        <translation>&amp;Настройки Duzu</translation>
    </message>
    <message>
        <source>UFIF&amp;2 library upload</source>
        <translation>Библиотека UFIF&amp;2</translation>
    </message>
    <message>
        <source>Additional &amp;info in full refresh</source>
        <translation>&amp;Распознавать содержимое при полном обновлении</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>О про&amp;грамме</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Пр&amp;авка</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Play GIF</source>
        <translation>Показать GIF</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Сохранить в файл</translation>
    </message>
    <message>
        <source>Get Preferences</source>
        <translation>Прочитать настройки</translation>
    </message>
    <message>
        <source>Convert to UFIF2.1</source>
        <translation>Преобразовать в UFIF2.1</translation>
    </message>
    <message>
        <source>Upload LZO-Compressed</source>
        <translation>Записать со сжатием LZO</translation>
    </message>
    <message>
        <source>&amp;Back up phone...</source>
        <translation>&amp;Резервная копия телефона...</translation>
    </message>
    <message>
        <source>&amp;Restore phone...</source>
        <translation>В&amp;осстановить телефон...</translation>
    </message>
    <message>
        <source>&amp;Phone link...</source>
        <translation>&amp;Связь с телефоном...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;История...</translation>
    </message>
    <message>
        <source>Phone &amp;log</source>
        <translation>&amp;Журнал телефона</translation>
    </message>
    <message>
        <source>Updated!</source>
        <translation>Всё обновлено!</translation>
    </message>
    <message>
        <source>Update done!</source>
        <translation>Обновление завершено!</translation>
    </message>
    <message>
        <source>Refreshed!</source>
        <translation>Обновлено!</translation>
    </message>
    <message>
        <source>Details...</source>
        <translation>Подробности...</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <extracomment>%1 names the change to take back, as &quot;put of 18-9&quot;.</extracomment>
        <translation>&amp;Отменить: %1</translation>
    </message>
    <message>
        <source>Upload files...</source>
        <translation>Записать файлы...</translation>
    </message>
    <message>
        <source>Upload files from %1 on</source>
        <extracomment>The title of the file dialog; %1 is the first slot the files go to, as 18-9.</extracomment>
        <translation>Запись файлов начиная с %1</translation>
    </message>
    <message numerus="yes">
        <source>Download %n slots...</source>
        <translation>
            <numerusform>Сохранить %n слот...</numerusform>
            <numerusform>Сохранить %n слота...</numerusform>
            <numerusform>Сохранить %n слотов...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Clear %n slots...</source>
        <translation>
            <numerusform>Очистить %n слот...</numerusform>
            <numerusform>Очистить %n слота...</numerusform>
            <numerusform>Очистить %n слотов...</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 does not apply to %2.</source>
        <extracomment>%1 is a command of the slot menu (Refresh, Upload...), %2 a slot as 18-9.</extracomment>
        <translation>«%1» неприменимо к %2.</translation>
    </message>
    <message>
        <source>Are you sure to clear section %1?</source>
        <translation>Вы уверены, что хотите очистить секцию %1?</translation>
    </message>
    <message>
        <source>There is no port %1 (only %2 to %3): the link stays on %4.</source>
        <extracomment>%1 is what the user typed, %2 and %3 the first and last port (COM1, COM4), %4 the port in use.</extracomment>
        <translation>Порта %1 нет (есть только от %2 до %3): связь остаётся на %4.</translation>
    </message>
    <message>
        <source>Slot ranges and the phone&apos;s firmware</source>
        <translation>Диапазоны слотов и прошивка телефона</translation>
    </message>
    <message>
        <source>Upload a PRG3 library text into 2-16</source>
        <translation>Записать в 2-16 библиотеку PRG3 из её текста</translation>
    </message>
    <message>
        <source>Read every slot from the phone</source>
        <translation>Прочитать из телефона все слоты</translation>
    </message>
    <message>
        <source>The phone&apos;s preferences record</source>
        <translation>Запись настроек в телефоне</translation>
    </message>
    <message>
        <source>Upload the UFIF2 library where the phone&apos;s preferences say</source>
        <translation>Записать библиотеку UFIF2 туда, куда указывают настройки телефона</translation>
    </message>
    <message>
        <source>Full Refresh also reads each slot&apos;s first bytes to tell what it holds</source>
        <translation>Полное обновление читает и первые байты каждого слота, чтобы узнать, что в нём</translation>
    </message>
    <message>
        <source>%1. Nothing is done with the phone until it can be read, or a phone link is chosen in File &gt; Phone link...</source>
        <translation>%1. С телефоном ничего не делается, пока файл нельзя прочитать или пока связь не выбрана в меню Файл &gt; Связь с телефоном...</translation>
    </message>
    <message>
        <source>About Kiv Manager</source>
        <translation>О программе Kiv Manager</translation>
    </message>
</context>
<context>
    <name>THistoryDialog</name>
    <message>
        <source>&amp;Take back</source>
        <translation>&amp;Отменить изменение</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Changes kept</source>
        <translation>Сохранённые изменения</translation>
    </message>
    <message>
        <source>Newest first: time, section, change, what was there before and what the change left there</source>
        <translation>Сначала новые: время, секция, изменение, что было до него и что оно там оставило</translation>
    </message>
    <message>
        <source>Writes back what the chosen change replaced</source>
        <translation>Записывает обратно то, что заменило выбранное изменение</translation>
    </message>
</context>
<context>
    <name>TIconForm</name>
    <message>
        <source>Icon</source>
        <translation>Значок</translation>
    </message>
    <message>
        <source>Select icon</source>
        <translation>Выберите значок</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Select icon for program:</source>
        <translation>Выберите значок программы:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>TLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>The system&apos;s (%1)</source>
        <translation>Язык системы (%1)</translation>
    </message>
    <message>
        <source>Kiv Manager speaks %1 from its next start.</source>
        <translation>Kiv Manager перейдёт на язык «%1» со следующего запуска.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
</context>
<context>
    <name>TNVMSection</name>
    <message>
        <source>Starting the link host</source>
        <translation>Запуск процесса-посредника</translation>
    </message>
    <message>
        <source>none: %1</source>
        <extracomment>%1 is why no library may be loaded</extracomment>
        <translation>нет: %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>%1 is &quot;demo phone&quot;, %2 its library file</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>%1 is the library&apos;s file, %2 how it runs: &quot;in this process&quot;</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>TOKBottomDlg</name>
    <message>
        <source>Dialog</source>
        <translation>Диалог</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>You&apos;re trying to upload UFIF 2.0 version program! This is an older format and it may not work on some Kiv3 firmwares. Do you want to convert this program to UFIF 2.1 - compatible format?</source>
        <translation>Вы записываете программу версии UFIF 2.0! Это старый формат, и на некоторых прошивках Kiv3 она может не работать. Преобразовать программу в формат, совместимый с UFIF 2.1?</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>If you using Kiv3 MOD and want to convert this program select correct firmware and press &quot;Yes&quot; button. Press &quot;No&quot; if you still using Kiv2 MOD, or simply want to upload program &quot;as is&quot; without converting.</source>
        <translation>Если у вас мод Kiv3 и вы хотите преобразовать программу, выберите нужную прошивку и нажмите «Да». Нажмите «Нет», если у вас ещё мод Kiv2 или вы хотите записать программу «как есть», без преобразования.</translation>
    </message>
    <message>
        <source>Please read this text!!!</source>
        <translation>Прочтите этот текст!!!</translation>
    </message>
</context>
<context>
    <name>TPhoneLinkDialog</name>
    <message>
        <source>Linux library</source>
        <translation>Библиотека Linux</translation>
    </message>
    <message>
        <source>Find &amp;phone</source>
        <translation>&amp;Найти телефон</translation>
    </message>
    <message>
        <source>Give the library&apos;s file, or choose the built-in virtual phone.</source>
        <translation>Укажите файл библиотеки или выберите встроенный виртуальный телефон.</translation>
    </message>
    <message>
        <source>%1 is no file.</source>
        <translation>%1 — не файл.</translation>
    </message>
    <message>
        <source>Cannot be used: %1.</source>
        <extracomment>%1 is why the file is no library the link can use</extracomment>
        <translation>Не подходит: %1.</translation>
    </message>
    <message>
        <source>%1-bit Windows library: its link host is missing</source>
        <extracomment>%1 is 32 or 64</extracomment>
        <translation>%1-битная библиотека Windows: нет её процесса-посредника</translation>
    </message>
    <message>
        <source>32-bit Windows library: this Wine runs only 64-bit programs</source>
        <translation>32-битная библиотека Windows: этот Wine запускает только 64-битные программы</translation>
    </message>
    <message>
        <source>%1-bit Windows library: needs Wine, which is not installed</source>
        <translation>%1-битная библиотека Windows: нужен Wine, а он не установлен</translation>
    </message>
    <message>
        <source>%1-bit Windows library, runs under Wine (%2)</source>
        <extracomment>%1 is 32 or 64, %2 Wine&apos;s program</extracomment>
        <translation>%1-битная библиотека Windows, работает под Wine (%2)</translation>
    </message>
    <message>
        <source>%1-bit Windows library, runs under Wine %2 (%3)</source>
        <extracomment>%1 is 32 or 64, %2 Wine&apos;s version, %3 Wine&apos;s program</extracomment>
        <translation>%1-битная библиотека Windows, работает под Wine %2 (%3)</translation>
    </message>
    <message>
        <source>Phone link</source>
        <translation>Связь с телефоном</translation>
    </message>
    <message>
        <source>The built-in &amp;virtual phone</source>
        <translation>Встроенный &amp;виртуальный телефон</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>&amp;Файл:</translation>
    </message>
    <message>
        <source>Library file</source>
        <translation>Файл библиотеки</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Обзор...</translation>
    </message>
    <message>
        <source>Library:</source>
        <translation>Библиотека:</translation>
    </message>
    <message>
        <source>Device behind COM%1</source>
        <translation>Устройство за COM%1</translation>
    </message>
    <message>
        <source>as the library chooses</source>
        <translation>по выбору библиотеки</translation>
    </message>
    <message>
        <source>Deadline factor</source>
        <translation>Множитель времени ожидания</translation>
    </message>
    <message>
        <source>Scales the link host&apos;s deadlines: 15 s a call, plus the time its bytes take at 2,400 baud.</source>
        <translation>Умножает сроки процесса-посредника: 15 с на вызов плюс время передачи его байтов на 2 400 бод.</translation>
    </message>
    <message>
        <source>&amp;Deadline factor:</source>
        <translation>&amp;Множитель времени ожидания:</translation>
    </message>
    <message>
        <source>&amp;Test link</source>
        <translation>&amp;Проверить связь</translation>
    </message>
    <message>
        <source>Tries the link on each serial device present, behind the window&apos;s COM port, and tells which one answers. Nothing is written.</source>
        <translation>Пробует связь через каждое имеющееся последовательное устройство за COM-портом окна и сообщает, какое отвечает. Ничего не записывается.</translation>
    </message>
    <message>
        <source>This library cannot be used:
%1

Save it all the same?</source>
        <translation>Эта библиотека не подходит:
%1

Всё равно сохранить?</translation>
    </message>
    <message>
        <source>Phone-link library</source>
        <translation>Библиотека связи с телефоном</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>Проверка...</translation>
    </message>
    <message>
        <source>Looking on COM%1...</source>
        <translation>Поиск на COM%1...</translation>
    </message>
    <message>
        <source>Cancel &amp;search</source>
        <translation>Отменить &amp;поиск</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Отменено.</translation>
    </message>
    <message>
        <source>%1 answers. Keep it for COM%2?</source>
        <extracomment>%1 is the device: &quot;/dev/ttyUSB0 (USB-Serial Controller)&quot;, %2 the port&apos;s number</extracomment>
        <translation>%1 отвечает. Оставить его для COM%2?</translation>
    </message>
    <message>
        <source>In use:</source>
        <translation>Сейчас:</translation>
    </message>
    <message>
        <source>%1-bit Windows library, runs in this process</source>
        <extracomment>%1 is 32 or 64</extracomment>
        <translation>%1-битная библиотека Windows, работает прямо в программе</translation>
    </message>
    <message>
        <source>%1-bit Windows library, runs in its link host</source>
        <extracomment>%1 is 32 or 64</extracomment>
        <translation>%1-битная библиотека Windows, работает в процессе-посреднике</translation>
    </message>
    <message>
        <source>Tries the link on each COM port of this computer and tells which one answers. Nothing is written.</source>
        <translation>Пробует связь через каждый COM-порт этого компьютера и сообщает, какой отвечает. Ничего не записывается.</translation>
    </message>
    <message>
        <source>Looking on the COM ports...</source>
        <translation>Поиск на COM-портах...</translation>
    </message>
    <message>
        <source>%1 answers. Use COM%2 for the link?</source>
        <extracomment>%1 is the port that answered, as the system describes it: &quot;COM3 (Serial2)&quot;; %2 its number</extracomment>
        <translation>%1 отвечает. Использовать COM%2 для связи?</translation>
    </message>
</context>
<context>
    <name>TPhoneLogWindow</name>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Вызов</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Итог</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Байт</translation>
    </message>
    <message>
        <source>Took</source>
        <translation>Длилось</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Phone log</source>
        <translation>Журнал телефона</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>О&amp;чистить</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Сохранить...</translation>
    </message>
    <message>
        <source>Save the phone log</source>
        <translation>Сохранить журнал телефона</translation>
    </message>
</context>
<context>
    <name>TPictureView</name>
    <message>
        <source>The picture cannot be shown: %1</source>
        <translation>Картинку не удаётся показать: %1</translation>
    </message>
</context>
<context>
    <name>TPrefForm</name>
    <message>
        <source>Kiv Mod Parameters</source>
        <translation>Параметры мода Kiv</translation>
    </message>
    <message>
        <source>UFIF2-Library section:</source>
        <translation>Секция библиотеки UFIF2:</translation>
    </message>
    <message>
        <source>(Kiv2 2b9 or higher)</source>
        <translation>(Kiv2 2b9 и новее)</translation>
    </message>
    <message>
        <source>Menu show mode</source>
        <translation>Режим показа меню</translation>
    </message>
    <message>
        <source>Only programs</source>
        <translation>Только программы</translation>
    </message>
    <message>
        <source>Progs and data</source>
        <translation>Программы и данные</translation>
    </message>
    <message>
        <source>Show all</source>
        <translation>Показывать всё</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Autorun (Kiv3b3)</source>
        <translation>Автозапуск (Kiv3b3)</translation>
    </message>
    <message>
        <source>Program section:</source>
        <translation>Секция программы:</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Включён</translation>
    </message>
</context>
<context>
    <name>TRestorePreview</name>
    <message>
        <source>Restore phone</source>
        <translation>Восстановление телефона</translation>
    </message>
    <message>
        <source>Restoring %1 would change the phone so:</source>
        <translation>Восстановление из %1 изменит телефон так:</translation>
    </message>
    <message numerus="yes">
        <source>Clear the %n sections the backup records as empty anyway</source>
        <translation>
            <numerusform>Всё равно очистить %n секцию, пустую в резервной копии</numerusform>
            <numerusform>Всё равно очистить %n секции, пустые в резервной копии</numerusform>
            <numerusform>Всё равно очистить %n секций, пустых в резервной копии</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Show the %n unchanged sections</source>
        <translation>
            <numerusform>Показать %n секцию без изменений</numerusform>
            <numerusform>Показать %n секции без изменений</numerusform>
            <numerusform>Показать %n секций без изменений</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Восстановить</translation>
    </message>
</context>
<context>
    <name>TUploadPlanDialog</name>
    <message>
        <source>Upload files</source>
        <translation>Запись файлов</translation>
    </message>
    <message>
        <source>Files and their slots</source>
        <translation>Файлы и их слоты</translation>
    </message>
    <message>
        <source>Convert the UFIF 2.0 programs to UFIF 2.1 for firmware</source>
        <translation>Преобразовать программы UFIF 2.0 в UFIF 2.1 для прошивки</translation>
    </message>
    <message>
        <source>Firmware for the conversion</source>
        <translation>Прошивка для преобразования</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Записать</translation>
    </message>
    <message numerus="yes">
        <source>%n files to upload, each into the slot shown. Nothing is written until you choose Upload.</source>
        <translation>
            <numerusform>%n файл к записи, в указанный слот. Ничего не записывается, пока вы не нажмёте «Записать».</numerusform>
            <numerusform>%n файла к записи, каждый в указанный слот. Ничего не записывается, пока вы не нажмёте «Записать».</numerusform>
            <numerusform>%n файлов к записи, каждый в указанный слот. Ничего не записывается, пока вы не нажмёте «Записать».</numerusform>
        </translation>
    </message>
    <message>
        <source>Slot for %1</source>
        <translation>Слот для %1</translation>
    </message>
    <message>
        <source>Compress %1</source>
        <translation>Сжать %1</translation>
    </message>
    <message>
        <source>No free slot left for: %1. Not uploaded.</source>
        <translation>Не хватило свободных слотов для: %1. Не загружены.</translation>
    </message>
    <message>
        <source>%1 and %2 both go to %3: move one of them to another slot.</source>
        <translation>%1 и %2 оба идут в %3: перенесите один из них в другой слот.</translation>
    </message>
</context>
<context>
    <name>TWorkPanel</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Stop after the section the phone is working on</source>
        <translation>Остановиться после секции, с которой сейчас работает телефон</translation>
    </message>
    <message>
        <source>%1 (%2 s)</source>
        <extracomment>%1 is where the work is, %2 the seconds the phone has been at it.</extracomment>
        <translation>%1 (%2 с)</translation>
    </message>
    <message>
        <source>%1; the phone has been at it for %2 s</source>
        <extracomment>%1 is where the work is, %2 the seconds the phone has been at it.</extracomment>
        <translation>%1; телефон занят этим уже %2 с</translation>
    </message>
    <message>
        <source>%1: %2 s</source>
        <extracomment>%1 is the call under way (&quot;phone at work&quot;), %2 the seconds it has run.</extracomment>
        <translation>%1: %2 с</translation>
    </message>
    <message>
        <source>phone at work</source>
        <translation>телефон работает</translation>
    </message>
    <message>
        <source>section %1 of %2: %3, %4</source>
        <extracomment>%1 of %2 sections, %3 the section at work (as 18-9), %4 the bytes moved so far.</extracomment>
        <translation>секция %1 из %2: %3, %4</translation>
    </message>
    <message>
        <source>%1/%2: %3, %4</source>
        <extracomment>The short form of the section&apos;s progress (&quot;section 25 of 29: 2-18, 3200 bytes&quot;) beside a slim bar: %1/%2 sections, %3 the section, %4 the bytes.</extracomment>
        <translation>%1/%2: %3, %4</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <source>Library upload</source>
        <translation>Запись библиотеки</translation>
    </message>
    <message>
        <source>Preferences update</source>
        <translation>Изменение настроек</translation>
    </message>
    <message>
        <source>nothing there</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>a size it did not tell (-5)</source>
        <translation>размер не сообщён (-5)</translation>
    </message>
    <message>
        <source>no size (%1)</source>
        <translation>размера нет (%1)</translation>
    </message>
    <message>
        <source>The backup&apos;s manifest is damaged: %1</source>
        <translation>Манифест резервной копии повреждён: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a section address</source>
        <translation>«%1» не является адресом секции</translation>
    </message>
    <message>
        <source>section %1 is both empty and stored</source>
        <translation>секция %1 указана и пустой, и сохранённой</translation>
    </message>
    <message>
        <source>section %1 has no valid size</source>
        <translation>у секции %1 нет допустимого размера</translation>
    </message>
    <message>
        <source>section %1 has no valid SHA-256</source>
        <translation>у секции %1 нет допустимого SHA-256</translation>
    </message>
    <message>
        <source>no list of sections</source>
        <translation>нет списка секций</translation>
    </message>
    <message>
        <source>section %1 is listed twice</source>
        <translation>секция %1 указана дважды</translation>
    </message>
    <message>
        <source>The backup is inconsistent: at its end the phone answered other sizes (%1)</source>
        <translation>Резервная копия несогласованная: в конце телефон сообщил другие размеры (%1)</translation>
    </message>
    <message>
        <source>The backup was not verified: the link was lost before every section&apos;s size could be asked again</source>
        <translation>Резервная копия не проверена: связь прервалась раньше, чем удалось заново запросить размеры всех секций</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>не прочитано</translation>
    </message>
    <message>
        <source>%1 in the backup, %2 at the end</source>
        <extracomment>%1 and %2 are a section&apos;s sizes: &quot;2048 bytes&quot;, &quot;nothing there&quot;</extracomment>
        <translation>%1 в резервной копии, %2 в конце</translation>
    </message>
    <message>
        <source>%1 is a symbolic link, not a file of the backup: nothing was restored</source>
        <translation>%1 — символическая ссылка, а не файл резервной копии: ничего не восстановлено</translation>
    </message>
    <message>
        <source>%1 is larger than any file of a backup: nothing was restored</source>
        <translation>%1 больше любого файла резервной копии: ничего не восстановлено</translation>
    </message>
    <message>
        <source>%1 does not match its SHA-256 in the manifest: nothing was restored</source>
        <translation>%1 не совпадает со своим SHA-256 в манифесте: ничего не восстановлено</translation>
    </message>
    <message>
        <source>Undo of %1</source>
        <translation>Отмена изменения %1</translation>
    </message>
    <message>
        <source>content that could not be read back</source>
        <translation>содержимое, которое не удалось прочитать обратно</translation>
    </message>
    <message>
        <source>nothing (empty)</source>
        <translation>ничего (пусто)</translation>
    </message>
    <message>
        <source>its %1 is damaged</source>
        <extracomment>%1 is the name of the change&apos;s file, change.json</extracomment>
        <translation>его %1 повреждён</translation>
    </message>
    <message>
        <source>The history holds no change %1</source>
        <translation>В истории нет изменения %1</translation>
    </message>
    <message>
        <source>Change %1 of the history is damaged (%2): nothing was written</source>
        <translation>Изменение %1 в истории повреждено (%2): ничего не записано</translation>
    </message>
    <message>
        <source>Change %1 of the history is damaged (its manifest does not match the change): nothing was written</source>
        <translation>Изменение %1 в истории повреждено (его манифест не соответствует изменению): ничего не записано</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>с ошибкой: %1</translation>
    </message>
    <message>
        <source>%1 skipped</source>
        <translation>пропущено: %1</translation>
    </message>
    <message>
        <source>%1 not reached</source>
        <translation>не обработано: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n slots done</source>
        <translation>
            <numerusform>Готово %1 из %n слота</numerusform>
            <numerusform>Готово %1 из %n слотов</numerusform>
            <numerusform>Готово %1 из %n слотов</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 — файл, а не папка</translation>
    </message>
    <message>
        <source>%1 is not empty: back up into a new folder</source>
        <translation>Папка %1 не пуста: сохраните резервную копию в новую папку</translation>
    </message>
    <message>
        <source>%1 is a symbolic link to %2, which does not exist</source>
        <translation>%1 — символическая ссылка на несуществующий %2</translation>
    </message>
    <message>
        <source>not reached: the link was lost before it</source>
        <translation>не обработано: связь прервалась раньше</translation>
    </message>
    <message numerus="yes">
        <source>Section %1 holds %n bytes; only programs of up to %2 bytes can be converted. The section was left as it was.</source>
        <translation>
            <numerusform>Секция %1 занимает %n байт; преобразовать можно только программы до %2 байт. Секция оставлена как была.</numerusform>
            <numerusform>Секция %1 занимает %n байта; преобразовать можно только программы до %2 байт. Секция оставлена как была.</numerusform>
            <numerusform>Секция %1 занимает %n байт; преобразовать можно только программы до %2 байт. Секция оставлена как была.</numerusform>
        </translation>
    </message>
    <message>
        <source>Section %1 is empty: there is nothing to convert.</source>
        <translation>Секция %1 пуста: преобразовывать нечего.</translation>
    </message>
    <message>
        <source>%1.
Converted program stored at %2 file!!!</source>
        <extracomment>%1 is &quot;Section uploaded with error or out of memory!...&quot;, %2 the file&apos;s name, temp.prg</extracomment>
        <translation>%1.
Преобразованная программа сохранена в файле %2!!!</translation>
    </message>
    <message>
        <source>Converting data...</source>
        <translation>Преобразование данных...</translation>
    </message>
    <message>
        <source>Convert done!</source>
        <translation>Преобразование завершено!</translation>
    </message>
    <message>
        <source>Downloading data...</source>
        <translation>Скачивание данных...</translation>
    </message>
    <message>
        <source>Downloaded!</source>
        <translation>Сохранено в файл!</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Преобразование</translation>
    </message>
    <message>
        <source>Uploading data...</source>
        <translation>Запись данных...</translation>
    </message>
    <message>
        <source>No copy kept: %1</source>
        <translation>Копия не сохранена: %1</translation>
    </message>
    <message>
        <source>No copy kept of %1: %2</source>
        <translation>Копия секции %1 не сохранена: %2</translation>
    </message>
    <message>
        <source>History of %1: %2</source>
        <translation>История секции %1: %2</translation>
    </message>
    <message>
        <source>%1: not reached</source>
        <translation>%1: не обработано</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>пусто</translation>
    </message>
    <message>
        <source>the file exists</source>
        <translation>файл уже есть</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистка</translation>
    </message>
    <message>
        <source>no LZO container could be built</source>
        <translation>не удалось собрать контейнер LZO</translation>
    </message>
    <message>
        <source>too big for the slot (%1 bytes, the slot takes %2)</source>
        <translation>слишком велик для слота (байт: %1, слот вмещает %2)</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Section %1 is not one a backup holds: nothing was restored</source>
        <translation>Секции %1 не бывает в резервной копии: ничего не восстановлено</translation>
    </message>
    <message numerus="yes">
        <source>Section %1 holds %n bytes in the backup, more than its slot takes (%2): nothing was restored</source>
        <translation>
            <numerusform>Секция %1 занимает в резервной копии %n байт, больше, чем вмещает её слот (%2): ничего не восстановлено</numerusform>
            <numerusform>Секция %1 занимает в резервной копии %n байта, больше, чем вмещает её слот (%2): ничего не восстановлено</numerusform>
            <numerusform>Секция %1 занимает в резервной копии %n байт, больше, чем вмещает её слот (%2): ничего не восстановлено</numerusform>
        </translation>
    </message>
    <message>
        <source>Section %1 is not in the backup</source>
        <translation>Секции %1 нет в резервной копии</translation>
    </message>
    <message>
        <source>not read (%1)</source>
        <translation>не прочитано (%1)</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановление</translation>
    </message>
    <message numerus="yes">
        <source>%1: the phone claimed %n bytes read, but only %2 can be there</source>
        <translation>
            <numerusform>%1: телефон сообщил, что прочитан %n байт, но их может быть не больше %2</numerusform>
            <numerusform>%1: телефон сообщил, что прочитано %n байта, но их может быть не больше %2</numerusform>
            <numerusform>%1: телефон сообщил, что прочитано %n байт, но их может быть не больше %2</numerusform>
        </translation>
    </message>
    <message>
        <source>the phone refused the write (%1)</source>
        <translation>телефон отказался записывать (%1)</translation>
    </message>
    <message>
        <source>the phone did not take the section (out of memory or refused)</source>
        <translation>телефон не принял секцию (нет памяти или отказ)</translation>
    </message>
    <message numerus="yes">
        <source>the phone holds %1 of the %n bytes written: the section now holds neither the old nor the new content</source>
        <translation>
            <numerusform>телефон хранит %1 из %n записанного байта: в секции теперь нет ни старого, ни нового содержимого</numerusform>
            <numerusform>телефон хранит %1 из %n записанных байт: в секции теперь нет ни старого, ни нового содержимого</numerusform>
            <numerusform>телефон хранит %1 из %n записанных байт: в секции теперь нет ни старого, ни нового содержимого</numerusform>
        </translation>
    </message>
    <message>
        <source>the bytes read back differ from those written</source>
        <translation>прочитанные обратно байты отличаются от записанных</translation>
    </message>
    <message>
        <source>Section %1 is empty</source>
        <translation>Секция %1 пуста</translation>
    </message>
    <message>
        <source>Section %1: the phone did not tell what it holds (size answer %2)</source>
        <translation>Секция %1: телефон не сообщил, что в ней (ответ о размере %2)</translation>
    </message>
    <message numerus="yes">
        <source>Section %1 holds %n bytes, more than can be read</source>
        <translation>
            <numerusform>Секция %1 занимает %n байт — больше, чем можно прочитать</numerusform>
            <numerusform>Секция %1 занимает %n байта — больше, чем можно прочитать</numerusform>
            <numerusform>Секция %1 занимает %n байт — больше, чем можно прочитать</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 of its %n bytes read</source>
        <translation>
            <numerusform>%1: прочитано %2 из %n байта</numerusform>
            <numerusform>%1: прочитано %2 из %n байт</numerusform>
            <numerusform>%1: прочитано %2 из %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>Uploaded!</source>
        <translation>Записано!</translation>
    </message>
    <message>
        <source>Upload error!</source>
        <translation>Ошибка записи!</translation>
    </message>
    <message>
        <source>Erasing section...</source>
        <translation>Стирание секции...</translation>
    </message>
    <message>
        <source>Erased!</source>
        <translation>Стёрто!</translation>
    </message>
    <message>
        <source>Section %1 was not erased: the phone answered %2</source>
        <translation>Секция %1 не стёрта: телефон ответил %2</translation>
    </message>
    <message>
        <source>Section %1: the phone did not confirm the erase (size answer %2)</source>
        <translation>Секция %1: телефон не подтвердил стирание (ответ о размере %2)</translation>
    </message>
    <message numerus="yes">
        <source>Section %1 still holds %n bytes after clearing</source>
        <translation>
            <numerusform>В секции %1 после очистки остался %n байт</numerusform>
            <numerusform>В секции %1 после очистки осталось %n байта</numerusform>
            <numerusform>В секции %1 после очистки осталось %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>Section %1 now holds %2, not what change %3 (%4) left there: %5. Another phone or a later change has written it since; nothing was written.</source>
        <extracomment>%1 is a section, %2 what it holds now, %3 the change&apos;s number, %4 the change (&quot;Upload&quot;), %5 what the change left there</extracomment>
        <translation>В секции %1 теперь %2, а не то, что оставило там изменение %3 (%4): %5. С тех пор в неё записал другой телефон или более позднее изменение; ничего не записано.</translation>
    </message>
    <message>
        <source>The history holds no change to take back</source>
        <translation>В истории нет изменения, которое можно отменить</translation>
    </message>
    <message>
        <source>Change %1 never told what it left in section %2 (it was interrupted): restore it as a backup folder if you must</source>
        <translation>Изменение %1 не записало, что оставило в секции %2 (оно было прервано): при необходимости восстановите его как папку резервной копии</translation>
    </message>
    <message>
        <source>Taking back change %1 of %2...</source>
        <translation>Возврат изменения %1 в секции %2...</translation>
    </message>
    <message>
        <source>Compressed upload</source>
        <translation>Запись со сжатием</translation>
    </message>
    <message>
        <source>Back up phone</source>
        <translation>Резервная копия телефона</translation>
    </message>
    <message>
        <source>Restore phone</source>
        <translation>Восстановление телефона</translation>
    </message>
    <message numerus="yes">
        <source>Backed up %1 of %2 sections (%n bytes) into %3.</source>
        <translation>
            <numerusform>Сохранено секций: %1 из %2 (%n байт) в %3.</numerusform>
            <numerusform>Сохранено секций: %1 из %2 (%n байта) в %3.</numerusform>
            <numerusform>Сохранено секций: %1 из %2 (%n байт) в %3.</numerusform>
        </translation>
    </message>
    <message>
        <source>Verified: at its end every section&apos;s size was asked again and had not changed.</source>
        <translation>Проверено: в конце размер каждой секции запрошен заново и не изменился.</translation>
    </message>
    <message>
        <source>Not read: %1 (%2)</source>
        <translation>Не прочитано: %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%1: the %n sections after it were not read.</source>
        <extracomment>%1 is &quot;The link was lost at section 18-11 (why)&quot;</extracomment>
        <translation>
            <numerusform>%1: следующая за ней %n секция не прочитана.</numerusform>
            <numerusform>%1: следующие за ней %n секции не прочитаны.</numerusform>
            <numerusform>%1: следующие за ней %n секций не прочитаны.</numerusform>
        </translation>
    </message>
    <message>
        <source>Changed: %1 (%2)</source>
        <translation>Изменилось: %1 (%2)</translation>
    </message>
    <message>
        <source>Restored from %1: %2 written, %3 cleared, %4 unchanged, %5 failed, %6 left uncleared.</source>
        <translation>Восстановлено из %1: записано %2, очищено %3, без изменений %4, с ошибкой %5, не очищено %6.</translation>
    </message>
    <message>
        <source>Restored from %1: %2 written, %3 cleared, %4 unchanged, %5 failed.</source>
        <translation>Восстановлено из %1: записано %2, очищено %3, без изменений %4, с ошибкой %5.</translation>
    </message>
    <message>
        <source>Not restored: %1 (%2)</source>
        <translation>Не восстановлено: %1 (%2)</translation>
    </message>
    <message>
        <source>Cancelled: nothing was written to %1.</source>
        <translation>Отменено: в %1 ничего не записано.</translation>
    </message>
    <message>
        <source>%1: nothing was written to %2.</source>
        <translation>%1: в %2 ничего не записано.</translation>
    </message>
    <message>
        <source>Back up the phone into a new or empty folder</source>
        <translation>Резервная копия телефона: новая или пустая папка</translation>
    </message>
    <message>
        <source>Backing up phone...</source>
        <translation>Резервное копирование телефона...</translation>
    </message>
    <message>
        <source>Backup failed!</source>
        <translation>Резервное копирование не удалось!</translation>
    </message>
    <message>
        <source>Backup cancelled!</source>
        <translation>Резервное копирование отменено!</translation>
    </message>
    <message>
        <source>The backup was cancelled: nothing was kept.</source>
        <translation>Резервное копирование отменено: ничего не сохранено.</translation>
    </message>
    <message>
        <source>Backed up!</source>
        <translation>Резервная копия готова!</translation>
    </message>
    <message>
        <source>Restore the phone from</source>
        <translation>Восстановить телефон из</translation>
    </message>
    <message>
        <source>Checking backup...</source>
        <translation>Проверка резервной копии...</translation>
    </message>
    <message>
        <source>Restore cancelled!</source>
        <translation>Восстановление отменено!</translation>
    </message>
    <message>
        <source>Restore failed!</source>
        <translation>Восстановление не удалось!</translation>
    </message>
    <message>
        <source>Restoring phone...</source>
        <translation>Восстановление телефона...</translation>
    </message>
    <message>
        <source>Restored!</source>
        <translation>Восстановлено!</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Секция</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменение</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Было</translation>
    </message>
    <message>
        <source>Left there</source>
        <translation>Стало</translation>
    </message>
    <message>
        <source>damaged</source>
        <translation>повреждено</translation>
    </message>
    <message>
        <source>not known: the change was interrupted</source>
        <translation>неизвестно: изменение было прервано</translation>
    </message>
    <message>
        <source>%1 (taken back)</source>
        <translation>%1 (отменено)</translation>
    </message>
    <message>
        <source>The history is off ([History] Keep=0 in %1): nothing is kept before a change, so nothing can be taken back. To keep it, set Keep=1 there and start Kiv Manager again.</source>
        <translation>История выключена ([History] Keep=0 в %1): перед изменением ничего не сохраняется, поэтому ничего нельзя отменить. Чтобы её вести, укажите там Keep=1 и запустите Kiv Manager заново.</translation>
    </message>
    <message>
        <source>Kept in %1, newest first. A change can be taken back while its section still holds what the change left there.</source>
        <translation>Хранится в %1, сначала новые. Изменение можно отменить, пока в его секции то, что оно там оставило.</translation>
    </message>
    <message numerus="yes">
        <source>Download %n slots into</source>
        <translation>
            <numerusform>Сохранить %n слот в</numerusform>
            <numerusform>Сохранить %n слота в</numerusform>
            <numerusform>Сохранить %n слотов в</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Are you sure to clear these %n sections?</source>
        <translation>
            <numerusform>Очистить эту %n секцию?</numerusform>
            <numerusform>Очистить эти %n секции?</numerusform>
            <numerusform>Очистить эти %n секций?</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: no free slot left, not uploaded</source>
        <translation>%1: свободных слотов не осталось, не загружен</translation>
    </message>
    <message>
        <source>Phone now</source>
        <translation>Сейчас в телефоне</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Резервная копия</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>очистить</translation>
    </message>
    <message>
        <source>%1 to write, %2 to clear, %3 unchanged, %4 left alone</source>
        <translation>Записать: %1, очистить: %2, без изменений: %3, не трогать: %4</translation>
    </message>
    <message>
        <source>%1 to write, %2 to clear, %3 unchanged</source>
        <translation>Записать: %1, очистить: %2, без изменений: %3</translation>
    </message>
    <message>
        <source>%1. The sections it records as empty are left as they are.</source>
        <extracomment>%1 is what makes the backup doubtful: &quot;The backup is incomplete: ...&quot;</extracomment>
        <translation>%1. Секции, пустые в ней, остаются как есть.</translation>
    </message>
    <message>
        <source>Note: this backup holds no preferences record (%1 was empty).</source>
        <translation>Примечание: в этой резервной копии нет записи настроек (%1 была пуста).</translation>
    </message>
    <message>
        <source>write</source>
        <translation>записать</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>без изменений</translation>
    </message>
    <message>
        <source>not cleared</source>
        <translation>не очищать</translation>
    </message>
    <message>
        <source>left alone</source>
        <translation>не трогать</translation>
    </message>
    <message>
        <source>Upload LZO-compressed into %1</source>
        <translation>Записать со сжатием LZO в %1</translation>
    </message>
    <message>
        <source>Upload into %1</source>
        <translation>Записать в %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>Сохранить %1 в файл</translation>
    </message>
    <message>
        <source>GIF in %1</source>
        <translation>GIF в секции %1</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>%1 is a change (&quot;Upload&quot;), %2 its section (&quot;18-9&quot;): &quot;Upload of 18-9&quot;</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Not undone</source>
        <translation>Не отменено</translation>
    </message>
    <message>
        <source>Undo error!</source>
        <translation>Ошибка отмены!</translation>
    </message>
    <message>
        <source>Section %1 was not taken back: %2</source>
        <translation>Изменение секции %1 не отменено: %2</translation>
    </message>
    <message>
        <source>Undone: %1.</source>
        <translation>Отменено: %1.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>Слот</translation>
    </message>
    <message>
        <source>Now in the slot</source>
        <translation>Сейчас в слоте</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Compressed</source>
        <translation>Сжатие</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Примечания</translation>
    </message>
    <message>
        <source>%1 (replaced)</source>
        <translation>%1 (будет заменено)</translation>
    </message>
    <message>
        <source>over %1 bytes</source>
        <translation>более %1 байт</translation>
    </message>
    <message>
        <source>too big for the slot unless packing shrinks it (%1 bytes, the slot takes %2)</source>
        <translation>слишком велик для слота, если сжатие его не уменьшит (байт: %1, слот вмещает %2)</translation>
    </message>
    <message>
        <source>Took back change %1 (%2 of %3): the section holds %4 again</source>
        <extracomment>%1 is the change&apos;s id, %2 the change (&quot;Upload&quot;), %3 the section, %4 what it holds.</extracomment>
        <translation>Изменение %1 отменено (%2, секция %3): в секции снова %4</translation>
    </message>
    <message>
        <source>%1 (SHA-256 %2...)</source>
        <extracomment>%1 is what the section held (&quot;&lt; Data &gt;, 36 bytes&quot;), %2 the start of its SHA-256</extracomment>
        <translation>%1 (SHA-256 %2...)</translation>
    </message>
    <message>
        <source>Keeping a copy of %1, %2...</source>
        <translation>Сохраняется копия %1, %2...</translation>
    </message>
    <message>
        <source>The backup is incomplete: %1 of its %2 sections were not read (%3: %4)</source>
        <extracomment>%3 is the first section not read, %4 why: &quot;Error reading section 18-14&quot;</extracomment>
        <translation>Резервная копия неполная: не прочитано секций — %1 из %2 (%3: %4)</translation>
    </message>
    <message>
        <source>the %1 (%2)</source>
        <extracomment>%1 is &quot;demo phone&quot;, %2 its library&apos;s file</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>Backup incomplete: %1 of %n sections</source>
        <extracomment>%1 sections backed up of %n</extracomment>
        <translation>
            <numerusform>Резервная копия неполная: %1 из %n секции</numerusform>
            <numerusform>Резервная копия неполная: %1 из %n секций</numerusform>
            <numerusform>Резервная копия неполная: %1 из %n секций</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backup inconsistent: %n sections changed while it ran</source>
        <translation>
            <numerusform>Резервная копия несогласованная: за время её создания изменилась %n секция</numerusform>
            <numerusform>Резервная копия несогласованная: за время её создания изменились %n секции</numerusform>
            <numerusform>Резервная копия несогласованная: за время её создания изменились %n секций</numerusform>
        </translation>
    </message>
    <message>
        <source>Backup not verified: the link was lost at its check</source>
        <translation>Резервная копия не проверена: связь прервалась при проверке</translation>
    </message>
    <message>
        <source>The history could not record that change %1 was taken back (%2): it still lists it as standing</source>
        <extracomment>%1 is the change&apos;s id, %2 why the history could not be written.</extracomment>
        <translation>Журнал не смог отметить, что изменение %1 отменено (%2): в нём оно по-прежнему числится действующим</translation>
    </message>
    <message numerus="yes">
        <source>Restored %1 of %2; %n not restored</source>
        <extracomment>%1 sections restored of %2; %n is how many were not.</extracomment>
        <translation>
            <numerusform>Восстановлено %1 из %2; %n не восстановлена</numerusform>
            <numerusform>Восстановлено %1 из %2; %n не восстановлены</numerusform>
            <numerusform>Восстановлено %1 из %2; %n не восстановлено</numerusform>
        </translation>
    </message>
    <message>
        <source>%1. A restore of it leaves the sections it records as empty as they are; its preview offers to clear those that hold something.</source>
        <extracomment>%1 is what makes the backup doubtful: &quot;The backup is incomplete: ...&quot;</extracomment>
        <translation>%1. Восстановление из неё оставляет как есть секции, записанные в ней пустыми; его предпросмотр предлагает очистить те из них, где что-то есть.</translation>
    </message>
    <message>
        <source>Made through %1</source>
        <extracomment>%1 is the phone-link library, or &quot;the demo phone (its file)&quot;</extracomment>
        <translation>Сделана через %1</translation>
    </message>
</context>
<context>
    <name>Ufif</name>
    <message>
        <source>The LZO container&apos;s trailer block is damaged: it points to offset %1 of %2 bytes</source>
        <translation>Замыкающий блок контейнера LZO повреждён: он указывает на смещение %1 при размере %2 Б</translation>
    </message>
    <message>
        <source>The LZO container is too short: %1 bytes, the header alone takes %2</source>
        <translation>Контейнер LZO слишком короткий: %1 Б, а один заголовок занимает %2 Б</translation>
    </message>
    <message>
        <source>Not an LZO container: it does not begin with &quot;LZO&quot;</source>
        <translation>Это не контейнер LZO: он не начинается с «LZO»</translation>
    </message>
    <message>
        <source>The LZO container&apos;s unpacked length %1 is out of range</source>
        <translation>Распакованная длина контейнера LZO (%1) вне допустимых пределов</translation>
    </message>
    <message>
        <source>The LZO container&apos;s compressed data is damaged</source>
        <translation>Сжатые данные контейнера LZO повреждены</translation>
    </message>
</context>
</TS>
