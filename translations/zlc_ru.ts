<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CardWords</name>
    <message>
        <source>six</source>
        <translation>шестёрка</translation>
    </message>
    <message>
        <source>seven</source>
        <translation>семёрка</translation>
    </message>
    <message>
        <source>eight</source>
        <translation>восьмёрка</translation>
    </message>
    <message>
        <source>nine</source>
        <translation>девятка</translation>
    </message>
    <message>
        <source>ten</source>
        <translation>десятка</translation>
    </message>
    <message>
        <source>jack</source>
        <translation>валет</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>дама</translation>
    </message>
    <message>
        <source>king</source>
        <translation>король</translation>
    </message>
    <message>
        <source>ace</source>
        <translation>туз</translation>
    </message>
    <message>
        <source>spades</source>
        <translation>пик</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>бубен</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>треф</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>червей</translation>
    </message>
    <message>
        <source>any</source>
        <translation>любой</translation>
    </message>
    <message>
        <source>static</source>
        <translation>статичный</translation>
    </message>
    <message>
        <source>mobile</source>
        <translation>подвижный</translation>
    </message>
    <message>
        <source>any six</source>
        <translation>любая шестёрка</translation>
    </message>
    <message>
        <source>any seven</source>
        <translation>любая семёрка</translation>
    </message>
    <message>
        <source>any eight</source>
        <translation>любая восьмёрка</translation>
    </message>
    <message>
        <source>any nine</source>
        <translation>любая девятка</translation>
    </message>
    <message>
        <source>any ten</source>
        <translation>любая десятка</translation>
    </message>
    <message>
        <source>any jack</source>
        <translation>любой валет</translation>
    </message>
    <message>
        <source>any queen</source>
        <translation>любая дама</translation>
    </message>
    <message>
        <source>any king</source>
        <translation>любой король</translation>
    </message>
    <message>
        <source>any ace</source>
        <translation>любой туз</translation>
    </message>
    <message>
        <source>any spade</source>
        <translation>любая карта пик</translation>
    </message>
    <message>
        <source>any diamond</source>
        <translation>любая карта бубен</translation>
    </message>
    <message>
        <source>any club</source>
        <translation>любая карта треф</translation>
    </message>
    <message>
        <source>any heart</source>
        <translation>любая карта червей</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>gap</source>
        <translation>пропуск</translation>
    </message>
    <message>
        <source>any card</source>
        <translation>любая карта</translation>
    </message>
</context>
<context>
    <name>ChartDescriptions</name>
    <message>
        <source>no results counted</source>
        <translation>результатов ещё нет</translation>
    </message>
    <message>
        <source>#%1: %2</source>
        <translation>№%1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Results by hexagram, per suit. %1</source>
        <translation>Результаты по гексаграммам для каждой масти. %1</translation>
    </message>
    <message>
        <source>L(F) %1: %2</source>
        <translation>L(F) %1: %2</translation>
    </message>
    <message>
        <source>Results by their number of transits. %1</source>
        <translation>Результаты по числу транзитов. %1</translation>
    </message>
    <message>
        <source>%1 suits yang: %2</source>
        <translation>мастей с чертой ян — %1: %2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>черта %1: %2</translation>
    </message>
    <message>
        <source>Results by how many suits have each line yang. %1</source>
        <translation>Результаты по числу мастей, у которых каждая черта ян. %1</translation>
    </message>
    <message>
        <source>from %1: %2</source>
        <translation>от %1: %2</translation>
    </message>
    <message>
        <source>Results by P value, per suit, in steps of 0.05. %1</source>
        <translation>Результаты по значениям P для каждой масти, с шагом 0,05. %1</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Tasks</source>
        <translation>Задачи</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Результаты</translation>
    </message>
    <message>
        <source>CSV tables</source>
        <translation>Таблицы CSV</translation>
    </message>
    <message>
        <source>PNG pictures</source>
        <translation>Рисунки PNG</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Все файлы</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>Cannot write %1</source>
        <translation>Не удаётся записать %1</translation>
    </message>
</context>
<context>
    <name>RuntimeMessages</name>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Ошибка ввода-вывода %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» — не целое число</translation>
    </message>
    <message>
        <source>%1 more bad values in %2 were skipped</source>
        <translation>Ещё неверных значений в %2 пропущено: %1</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Нет такого файла или папки</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Нет такой папки</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Доступ запрещён</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Действие не разрешено</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>На устройстве не осталось места</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Превышена дисковая квота</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Файл слишком велик</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Файловая система только для чтения</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Ошибка ввода-вывода</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Это не папка</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Это папка</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Слишком много уровней символьных ссылок</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Слишком длинное имя файла</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Недопустимый аргумент</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>Файл занят</translation>
    </message>
    <message>
        <source>Not a regular file: a FIFO</source>
        <translation>Не обычный файл: именованный канал</translation>
    </message>
    <message>
        <source>Not a regular file: a device</source>
        <translation>Не обычный файл: устройство</translation>
    </message>
    <message>
        <source>Not a regular file: a socket</source>
        <translation>Не обычный файл: сокет</translation>
    </message>
    <message>
        <source>A link of another user, not followed</source>
        <translation>Чужая символьная ссылка, по ней не переходим</translation>
    </message>
</context>
<context>
    <name>TypedNumbers</name>
    <message>
        <source>at most %1</source>
        <translation>не больше %1</translation>
    </message>
    <message>
        <source>at least %1</source>
        <translation>не меньше %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
</context>
<context>
    <name>zlc::ui::CardRowView</name>
    <message>
        <source>static element</source>
        <translation>статичный элемент</translation>
    </message>
    <message>
        <source>mobile element</source>
        <translation>подвижный элемент</translation>
    </message>
    <message>
        <source>transit: ends a segment</source>
        <translation>транзит: конец отрезка</translation>
    </message>
    <message>
        <source>segment of the F list, its length above</source>
        <translation>отрезок списка F, над ним его длина</translation>
    </message>
    <message>
        <source>the step&apos;s matching cards</source>
        <translation>совпавшие карты шага</translation>
    </message>
    <message>
        <source>the card leaving</source>
        <translation>уходящая карта</translation>
    </message>
</context>
<context>
    <name>zlc::ui::FindBar</name>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Найти:</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Предыдущее</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Следующее</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Не найдено</translation>
    </message>
    <message>
        <source>Continued from the top</source>
        <translation>Продолжено с начала</translation>
    </message>
    <message>
        <source>Continued from the end</source>
        <translation>Продолжено с конца</translation>
    </message>
</context>
<context>
    <name>zlc::ui::HexagramHeatMap</name>
    <message>
        <source>H(%1)=#%2: %3 results (%4 %)</source>
        <translation>H(%1)=#%2: результатов %3 (%4 %)</translation>
    </message>
</context>
<context>
    <name>zlc::ui::HexagramView</name>
    <message>
        <source>%1: hexagram %2 %3, lines %4 from the bottom, P %5</source>
        <translation>%1: гексаграмма %2 %3, черты %4 снизу вверх, P %5</translation>
    </message>
    <message>
        <source>hex balance from line 1: %1</source>
        <translation>баланс гексаграмм с черты 1: %1</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Баланс</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
</context>
<context>
    <name>zlc::ui::ManualWindow</name>
    <message>
        <source>Zelt calculator manual</source>
        <translation>Руководство калькулятора Zelt</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <source>manual.md</source>
        <extracomment>The manual&apos;s file in this language, beside the English manual.md.</extracomment>
        <translation>manual.ru.md</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
</context>
<context>
    <name>zlc::ui::ResultWindow</name>
    <message>
        <source>Result #%1</source>
        <translation>Результат №%1</translation>
    </message>
    <message>
        <source>Cards of the result</source>
        <translation>Карты результата</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>В начало</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Играть</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>End</source>
        <translation>В конец</translation>
    </message>
    <message>
        <source>The row before the first step (Home)</source>
        <translation>Ряд до первого шага (Home)</translation>
    </message>
    <message>
        <source>One step back (Left)</source>
        <translation>На шаг назад (стрелка влево)</translation>
    </message>
    <message>
        <source>Play the steps or pause them (Space)</source>
        <translation>Проиграть шаги или приостановить (пробел)</translation>
    </message>
    <message>
        <source>One step forward (Right)</source>
        <translation>На шаг вперёд (стрелка вправо)</translation>
    </message>
    <message>
        <source>The two cards left at the end (End)</source>
        <translation>Две карты, оставшиеся в конце (End)</translation>
    </message>
    <message>
        <source>&amp;Speed:</source>
        <translation>&amp;Скорость:</translation>
    </message>
    <message>
        <source>slow</source>
        <translation>медленно</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>обычно</translation>
    </message>
    <message>
        <source>fast</source>
        <translation>быстро</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Start: %1 cards in the row; %2 steps follow.</source>
        <translation>Начало: карт в ряду — %1; шагов впереди — %2.</translation>
    </message>
    <message>
        <source>Step %1 of %2: %3 leaves, matching %4 by suit over %5</source>
        <translation>Шаг %1 из %2: %3 уходит, совпав с %4 по масти через %5</translation>
    </message>
    <message>
        <source>Step %1 of %2: %3 leaves, matching %4 by rank over %5</source>
        <translation>Шаг %1 из %2: %3 уходит, совпав с %4 по достоинству через %5</translation>
    </message>
    <message>
        <source>Two cards are left: %1 and %2.</source>
        <translation>Остались две карты: %1 и %2.</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>Шаг %1 из %2</translation>
    </message>
    <message>
        <source>Cards left: %1</source>
        <translation>Осталось карт: %1</translation>
    </message>
    <message>
        <source>Suit hexagrams</source>
        <translation>Гексаграммы мастей</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>The result&apos;s three lines as text (Ctrl+C)</source>
        <translation>Три строки результата текстом (Ctrl+C)</translation>
    </message>
    <message>
        <source>Save picture as PNG...</source>
        <translation>Сохранить рисунок в PNG...</translation>
    </message>
    <message>
        <source>Save picture as PNG</source>
        <translation>Сохранить рисунок в PNG</translation>
    </message>
    <message>
        <source>Result #%1 from %2</source>
        <translation>Результат №%1 из %2</translation>
    </message>
</context>
<context>
    <name>zlc::ui::StatisticsWindow</name>
    <message>
        <source>Tries</source>
        <translation>Попыток</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Результатов</translation>
    </message>
    <message>
        <source>Filtered</source>
        <translation>Отфильтровано</translation>
    </message>
    <message>
        <source>Results per try</source>
        <translation>Результатов на попытку</translation>
    </message>
    <message>
        <source>Filtered per result</source>
        <translation>Отфильтрованных на результат</translation>
    </message>
    <message>
        <source>Tries per second</source>
        <translation>Попыток в секунду</translation>
    </message>
    <message>
        <source>Results per second</source>
        <translation>Результатов в секунду</translation>
    </message>
    <message>
        <source>Next filtered result in</source>
        <translation>Следующий отфильтрованный через</translation>
    </message>
    <message>
        <source>Started from seed</source>
        <translation>Начальное зерно</translation>
    </message>
    <message>
        <source>%1   (95 %: %2 .. %3)</source>
        <translation>%1   (95 %: %2 .. %3)</translation>
    </message>
    <message>
        <source>under a millisecond</source>
        <translation>меньше миллисекунды</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 ч</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 сут.</translation>
    </message>
    <message>
        <source>Nothing has been searched yet.</source>
        <translation>Поиска ещё не было.</translation>
    </message>
    <message>
        <source>This run went on from an earlier one (the task&apos;s variant was drawn before, or the result numbers did not start at 1), so no command repeats it. Load the task again and press &quot;Clear Results&quot; before &quot;Run&quot; to start one that can be repeated.</source>
        <translation>Этот поиск продолжает прежний (вариант задачи был выбран раньше или номера результатов начались не с 1), поэтому никакая команда его не повторит. Загрузите задачу заново и нажмите «Очистить результаты» перед «Пуск», чтобы начать поиск, который можно повторить.</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Repeat without a window:</source>
        <translation>Повторить без окна:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Save figures as CSV...</source>
        <translation>Сохранить показатели в CSV...</translation>
    </message>
    <message>
        <source>Hexagram</source>
        <translation>Гексаграмма</translation>
    </message>
    <message>
        <source>Hexagrams</source>
        <translation>Гексаграммы</translation>
    </message>
    <message>
        <source>Results by L(F), the number of transits</source>
        <translation>Результаты по L(F), числу транзитов</translation>
    </message>
    <message>
        <source>results</source>
        <translation>результаты</translation>
    </message>
    <message>
        <source>L(F)</source>
        <translation>L(F)</translation>
    </message>
    <message>
        <source>Hex balance: suits with the line yang, per line</source>
        <translation>Баланс гексаграмм: число мастей с чертой ян, по чертам</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Баланс</translation>
    </message>
    <message>
        <source>P values per suit, in steps of 0.05</source>
        <translation>Значения P по мастям, с шагом 0,05</translation>
    </message>
    <message>
        <source>P values</source>
        <translation>Значения P</translation>
    </message>
    <message>
        <source>Save chart as PNG...</source>
        <translation>Сохранить диаграмму в PNG...</translation>
    </message>
    <message>
        <source>Save chart&apos;s counts as CSV...</source>
        <translation>Сохранить данные диаграммы в CSV...</translation>
    </message>
    <message>
        <source>Counting since %1.</source>
        <translation>Счёт идёт с %1.</translation>
    </message>
    <message>
        <source>Nothing counted yet: press &quot;Run&quot; or &quot;step&quot;.</source>
        <translation>Пока ничего не сосчитано: нажмите «Пуск» или «шаг».</translation>
    </message>
    <message>
        <source>at least %1</source>
        <translation>не меньше %1</translation>
    </message>
    <message>
        <source>Save figures as CSV</source>
        <translation>Сохранить показатели в CSV</translation>
    </message>
    <message>
        <source>Save chart&apos;s counts as CSV</source>
        <translation>Сохранить данные диаграммы в CSV</translation>
    </message>
    <message>
        <source>Save chart as PNG</source>
        <translation>Сохранить диаграмму в PNG</translation>
    </message>
    <message>
        <source>The notation was changed after results were found: no one command prints their lines in both letters.</source>
        <translation>Обозначения изменены после того, как были найдены результаты: ни одна команда не напечатает их строки в обоих алфавитах.</translation>
    </message>
    <message>
        <source>The marks or the spaces of line 1 were changed after results were found: no one command prints their lines both ways.</source>
        <translation>Отметки или пробелы строки 1 изменены после того, как были найдены результаты: ни одна команда не напечатает их строки обоими способами.</translation>
    </message>
    <message>
        <source>The task&apos;s variant was drawn again while counting (the task was loaded again, or written in the other notation&apos;s letters): no one command draws it where this search did.</source>
        <translation>Вариант задачи выбран заново во время счёта (задача загружена снова или переписана буквами других обозначений): ни одна команда не выберет его там, где это сделал этот поиск.</translation>
    </message>
    <message>
        <source>&quot;Clear at RN &gt;&quot; was changed after it had cleared the lists, or would have: no one command numbers the results as they were numbered.</source>
        <translation>«Очищать при RN &gt;» изменено после того, как списки уже были очищены или были бы очищены: ни одна команда не пронумерует результаты так, как они были пронумерованы.</translation>
    </message>
    <message>
        <source>The counts go on. To start a search that can be repeated, load the task again and press &quot;Clear Results&quot; before &quot;Run&quot;.</source>
        <translation>Счёт продолжается. Чтобы начать поиск, который можно повторить, загрузите задачу заново и нажмите «Очистить результаты» перед «Пуск».</translation>
    </message>
    <message>
        <source>Counting since %1: started again, because the task changed.</source>
        <translation>Счёт идёт с %1: начат заново, потому что изменилась задача.</translation>
    </message>
    <message>
        <source>Counting since %1: started again, because the filter changed.</source>
        <translation>Счёт идёт с %1: начат заново, потому что изменился фильтр.</translation>
    </message>
    <message>
        <source>Counting since %1: started again, because RV (one variant of the task or a new one every batch) changed.</source>
        <translation>Счёт идёт с %1: начат заново, потому что изменился RV (один вариант задачи или новый в каждой серии).</translation>
    </message>
    <message>
        <source>Counting since %1: started again, because the shuffling depth changed.</source>
        <translation>Счёт идёт с %1: начат заново, потому что изменилась глубина тасования.</translation>
    </message>
    <message>
        <source>Counting since %1: started again, because &quot;Clear Results&quot; was pressed.</source>
        <translation>Счёт идёт с %1: начат заново, потому что была нажата «Очистить результаты».</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>zlc::ui::TForm1</name>
    <message>
        <source>Task</source>
        <translation>Задача</translation>
    </message>
    <message>
        <source>Filter summary</source>
        <translation>Сводка фильтра</translation>
    </message>
    <message>
        <source>All results</source>
        <translation>Все результаты</translation>
    </message>
    <message>
        <source>Filtered results</source>
        <translation>Отфильтрованные результаты</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметры</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Run or stop the search</source>
        <translation>Запустить или остановить поиск</translation>
    </message>
    <message>
        <source>Run one batch</source>
        <translation>Выполнить одну серию попыток</translation>
    </message>
    <message>
        <source>Change the filter</source>
        <translation>Изменить фильтр</translation>
    </message>
    <message>
        <source>Clear the task</source>
        <translation>Очистить задачу</translation>
    </message>
    <message>
        <source>Clear the result lists</source>
        <translation>Очистить списки результатов</translation>
    </message>
    <message>
        <source>Delete the selected tokens (Del)</source>
        <translation>Удалить выделенное из задачи (Del)</translation>
    </message>
    <message>
        <source>Save result...</source>
        <translation>Сохранить результат...</translation>
    </message>
    <message>
        <source>Save all results...</source>
        <translation>Сохранить все результаты...</translation>
    </message>
    <message>
        <source>Export list as CSV...</source>
        <translation>Экспортировать список в CSV...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Save Task</source>
        <translation>Сохранить задачу</translation>
    </message>
    <message>
        <source>Save result #%1</source>
        <translation>Сохранить результат №%1</translation>
    </message>
    <message>
        <source>Save all results</source>
        <translation>Сохранить все результаты</translation>
    </message>
    <message>
        <source>Export list as CSV</source>
        <translation>Экспорт списка в CSV</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Карты</translation>
    </message>
    <message>
        <source>Filtering Settings</source>
        <translation>Настройки фильтра</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>delete selected</source>
        <translation>удалить выбранное</translation>
    </message>
    <message>
        <source>step</source>
        <translation>шаг</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Пуск</translation>
    </message>
    <message>
        <source>Clear Task</source>
        <translation>Очистить задачу</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Autosave:</source>
        <translation>Сохранять:</translation>
    </message>
    <message>
        <source>all</source>
        <translation>все</translation>
    </message>
    <message>
        <source>filtered</source>
        <translation>отфильтрованные</translation>
    </message>
    <message>
        <source>Clear Results</source>
        <translation>Очистить результаты</translation>
    </message>
    <message>
        <source>Task (L=%1/36)</source>
        <translation>Задача (L=%1/36)</translation>
    </message>
    <message>
        <source>Results: ( RN / CN = %1 / %2 )</source>
        <translation>Результаты: ( RN / CN = %1 / %2 )</translation>
    </message>
    <message>
        <source>Filtered: %1</source>
        <translation>Отфильтровано: %1</translation>
    </message>
    <message>
        <source>Variants : %1</source>
        <translation>Вариантов : %1</translation>
    </message>
    <message>
        <source>Every result is kept in results.log.</source>
        <translation>Все результаты сохраняются в results.log.</translation>
    </message>
    <message>
        <source>The filtered results are kept in resultsf.log; tick &quot;all&quot; to keep every result in results.log as well.</source>
        <translation>Отфильтрованные результаты сохраняются в resultsf.log; отметьте «все», чтобы сохранять каждый результат ещё и в results.log.</translation>
    </message>
    <message>
        <source>Tick &quot;all&quot; before a run to keep every result in results.log.</source>
        <translation>Отметьте «все» перед поиском, чтобы сохранять каждый результат в results.log.</translation>
    </message>
    <message>
        <source>The result lists now keep the newest results only: their oldest lines were dropped to stay within %1 MB of memory.

%2</source>
        <translation>Списки результатов теперь хранят только последние результаты: самые старые строки удалены, чтобы списки занимали не больше %1 МБ памяти.

%2</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Zelt calculator v%1</source>
        <translation>Калькулятор Zelt v%1</translation>
    </message>
    <message>
        <source>Autosave all results</source>
        <translation>Автосохранение всех результатов</translation>
    </message>
    <message>
        <source>Autosave filtered results</source>
        <translation>Автосохранение отфильтрованных результатов</translation>
    </message>
    <message>
        <source>While a run or a step goes on, append every result to results.log</source>
        <translation>Во время поиска или шага дописывать каждый результат в results.log</translation>
    </message>
    <message>
        <source>While a run or a step goes on, append the results that pass the filter to resultsf.log</source>
        <translation>Во время поиска или шага дописывать результаты, прошедшие фильтр, в resultsf.log</translation>
    </message>
    <message>
        <source>Empty both lists and start counting again when RN passes this number (Options)</source>
        <translation>Очищать оба списка и начинать счёт заново, когда RN превысит это число (Параметры)</translation>
    </message>
    <message>
        <source>gap: any number of cards the task does not name</source>
        <translation>пропуск: любое число карт, не названных в задаче</translation>
    </message>
    <message>
        <source>any card</source>
        <translation>любая карта</translation>
    </message>
    <message>
        <source>Recent tasks</source>
        <translation>Недавние задачи</translation>
    </message>
    <message>
        <source>Show result</source>
        <translation>Показать результат</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Open result...</source>
        <translation>Открыть результат...</translation>
    </message>
    <message>
        <source>%1 holds no result: no line starts with a result&apos;s number.</source>
        <translation>В %1 нет результата: ни одна строка не начинается с номера результата.</translation>
    </message>
    <message>
        <source>Line 1 of the result in %1 is no row of cards: &quot;%2&quot; cannot be read.</source>
        <translation>Строка 1 результата в %1 — не ряд карт: «%2» не читается.</translation>
    </message>
    <message>
        <source>The result in %1 has %2 cards; a result has 36.</source>
        <translation>В результате из %1 карт: %2, а в результате их 36.</translation>
    </message>
    <message>
        <source>The cards in %1 do not collapse to two: they are no result.</source>
        <translation>Карты из %1 не сходятся к двум: это не результат.</translation>
    </message>
    <message>
        <source>Open result</source>
        <translation>Открыть результат</translation>
    </message>
</context>
<context>
    <name>zlc::ui::TForm2</name>
    <message>
        <source>Use the L(F) filtering threshold</source>
        <translation>Использовать порог фильтрации L(F)</translation>
    </message>
    <message>
        <source>Use the static/mobile elements and hexagrams</source>
        <translation>Использовать статичные и подвижные элементы и гексаграммы</translation>
    </message>
    <message>
        <source>Use the hex balance</source>
        <translation>Использовать баланс гексаграмм</translation>
    </message>
    <message>
        <source>clear the hex balance</source>
        <translation>очистить баланс гексаграмм</translation>
    </message>
    <message>
        <source>clear %1</source>
        <translation>очистить масть %1</translation>
    </message>
    <message>
        <source>set %1 from a hexagram</source>
        <translation>задать масть %1 по гексаграмме</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Generation mode</source>
        <translation>Режим генерации</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Случайный</translation>
    </message>
    <message>
        <source>One</source>
        <translation>Один</translation>
    </message>
    <message>
        <source>Many</source>
        <translation>Много</translation>
    </message>
    <message>
        <source>L(F) filtering threshold</source>
        <translation>Порог L(F)</translation>
    </message>
    <message>
        <source>Static/Mobile elements &amp;&amp; Hexagramms</source>
        <translation>Статичные/подвижные элементы и гексаграммы</translation>
    </message>
    <message>
        <source>Hex Balance</source>
        <translation>Баланс гексаграмм</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>сброс</translation>
    </message>
    <message>
        <source>set</source>
        <translation>задать</translation>
    </message>
    <message>
        <source>line%1</source>
        <translation>черта%1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is out of range: L(F) takes %2</source>
        <translation>«%1» вне допустимых значений: L(F) принимает значения %2</translation>
    </message>
</context>
<context>
    <name>zlc::ui::TForm3</name>
    <message>
        <source>hexagram %1</source>
        <translation>гексаграмма %1</translation>
    </message>
    <message>
        <source>Hex Table</source>
        <translation>Таблица гексаграмм</translation>
    </message>
    <message>
        <source>Hex Table  (Hex #%1)</source>
        <translation>Таблица гексаграмм  (№%1)</translation>
    </message>
</context>
<context>
    <name>zlc::ui::TForm4</name>
    <message>
        <source>Calculating variants. Please, stand by...</source>
        <translation>Подсчёт вариантов. Подождите...</translation>
    </message>
</context>
<context>
    <name>zlc::ui::TForm5</name>
    <message>
        <source>About ZLC</source>
        <translation>О программе ZLC</translation>
    </message>
    <message>
        <source>Zelt calculator</source>
        <translation>Калькулятор Zelt</translation>
    </message>
    <message>
        <source>Made by the zlc developers</source>
        <translation>Разработчики zlc</translation>
    </message>
    <message>
        <source>Free software: GNU GPL v3 or later</source>
        <translation>Свободная программа: GNU GPL v3 или новее</translation>
    </message>
    <message>
        <source>This program is free software: you can redistribute it and/or modify it under the
terms of the GNU General Public License as published by the Free Software
Foundation, either version 3 of the License, or (at your option) any later version.
It comes with ABSOLUTELY NO WARRANTY; see the file LICENSE or
&lt;https://www.gnu.org/licenses/&gt;.</source>
        <translation>Это свободная программа: вы можете распространять и/или изменять её на условиях
Стандартной общественной лицензии GNU в том виде, как она опубликована Фондом
свободного программного обеспечения, версии 3 либо (по вашему выбору) любой более
поздней версии. Она поставляется БЕЗ КАКИХ-ЛИБО ГАРАНТИЙ; см. файл LICENSE или
&lt;https://www.gnu.org/licenses/&gt;.</translation>
    </message>
    <message>
        <source>Note: program bugs are intended to prevent unawared usage</source>
        <translation>Внимание: ошибки программы задуманы против неосознанного применения</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>zlc::ui::TForm6</name>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>1. Defs:</source>
        <translation>1. Обозначения:</translation>
    </message>
    <message>
        <source>2. Results output:</source>
        <translation>2. Вывод результатов:</translation>
    </message>
    <message>
        <source>mark transits by &quot;&lt;&quot;, &quot;&gt;&quot;</source>
        <translation>отмечать транзиты знаками &quot;&lt;&quot;, &quot;&gt;&quot;</translation>
    </message>
    <message>
        <source>mark static elements by:</source>
        <translation>отмечать статичные элементы:</translation>
    </message>
    <message>
        <source>delete spaces</source>
        <translation>удалять пробелы</translation>
    </message>
    <message>
        <source>Clear at RN &gt; </source>
        <translation>Очищать при RN &gt; </translation>
    </message>
    <message>
        <source>3. Shuffling depth:</source>
        <translation>3. Глубина тасования:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Clear at RN &gt; %1</source>
        <translation>Очищать при RN &gt; %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is out of range: Clear at RN takes %2</source>
        <translation>«%1» вне допустимых значений: порог «Очищать при RN &gt;» принимает значения %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is out of range: the shuffling depth takes %2</source>
        <translation>«%1» вне допустимых значений: глубина тасования принимает значения %2</translation>
    </message>
</context>
</TS>
