<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Quorvel</name>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>显示网格(&amp;Z)</source>
        <translation>Show Gr&amp;id</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>隐藏网格(&amp;Z)</source>
        <translation>Hide Gr&amp;id</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>隐藏坐标系(&amp;Y)</source>
        <translation>Hide &amp;Axes</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>显示坐标系(&amp;Y)</source>
        <translation>Show &amp;Axes</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>隐藏工具栏(&amp;H)</source>
        <translation>Hide &amp;Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>显示工具栏(&amp;H)</source>
        <translation>Show &amp;Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>隐藏模板栏(&amp;M)</source>
        <translation>Hide Te&amp;mplate Bar</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>显示模板栏(&amp;M)</source>
        <translation>Show Te&amp;mplate Bar</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>要保存当前的实验吗？</source>
        <translation>Save the current document?</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>退出前要保存当前的实验吗？</source>
        <translation>Save the current document before quitting?</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>文件“%1”已损坏，只能读出损坏处之前的%2个对象。要打开这些对象吗？</source>
        <translation>The file “%1” is damaged; only the %2 objects before the damage can be read. Open these objects?</translation>
    </message>
    <message>
        <location filename="../src/app/Captions.h"/>
        <source>找不到帮助文件：%1</source>
        <translation>The help file was not found: %1</translation>
    </message>
    <message>
        <location filename="../src/app/CurveReading.cpp"/>
        <source>没有可以追踪的曲线</source>
        <translation>There is no curve to trace</translation>
    </message>
    <message>
        <location filename="../src/app/CurveReading.cpp"/>
        <source>复制坐标 </source>
        <translation>Copy Coordinates </translation>
    </message>
    <message>
        <location filename="../src/app/CurveReading.cpp"/>
        <source>求值</source>
        <translation>Evaluate</translation>
    </message>
    <message>
        <location filename="../src/app/CurveReading.cpp"/>
        <source>请输入一个数：%1</source>
        <translation>Please enter a number: %1</translation>
    </message>
    <message>
        <location filename="../src/app/CurveWiring.cpp"/>
        <source>修改颜色</source>
        <translation>Change Colour</translation>
    </message>
    <message>
        <location filename="../src/app/ErrorBox.cpp"/>
        <source>内存不足，命令没有完成。</source>
        <translation>Out of memory; the command was not completed.</translation>
    </message>
    <message>
        <location filename="../src/app/ErrorBox.cpp"/>
        <source>发生了未知错误，命令没有完成。</source>
        <translation>An unknown error occurred; the command was not completed.</translation>
    </message>
    <message>
        <location filename="../src/app/FileDialogs.cpp"/>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../src/app/FileDialogs.cpp"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../src/app/FileDialogs.h"/>
        <source>数学函数(*.Fun)</source>
        <translation>Quorvel documents (*.Fun)</translation>
    </message>
    <message>
        <location filename="../src/app/FontColourDialog.cpp"/>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <location filename="../src/app/FontColourDialog.cpp"/>
        <source>颜色：</source>
        <translation>Colour:</translation>
    </message>
    <message>
        <location filename="../src/app/FontColourDialog.cpp"/>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <location filename="../src/app/FontColourDialog.cpp"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/app/FontColourDialog.cpp"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/app/HelpPage.cpp"/>
        <source>使用说明</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <location filename="../src/app/HelpPage.cpp"/>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <location filename="../src/app/HelpPage.cpp"/>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <location filename="../src/app/HelpPage.cpp"/>
        <source>查找：</source>
        <translation>Find:</translation>
    </message>
    <message>
        <location filename="../src/app/HelpPage.cpp"/>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <location filename="../src/app/QtMessageSink.cpp"/>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <location filename="../src/app/QtMessageSink.cpp"/>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <location filename="../src/app/RecentFiles.cpp"/>
        <source>找不到文件“%1”，已从最近的文件中移除。</source>
        <translation>The file “%1” was not found and has been removed from the recent files.</translation>
    </message>
    <message>
        <location filename="../src/app/RecentFiles.cpp"/>
        <source>最近的文件(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>%1    %2    %3个对象</source>
        <translation>%1    %2    %3 objects</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>恢复未保存的工作</source>
        <translation>Recover Unsaved Work</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>上次程序没有正常退出。以下工作还没有保存，可以恢复：</source>
        <translation>The program did not exit normally last time. The following work was not saved and can be recovered:</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>恢复(&amp;R)</source>
        <translation>&amp;Recover</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>放弃(&amp;D)</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>以后再说(&amp;L)</source>
        <translation>&amp;Later</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>以下恢复数据无法读取，已原样保留：
%1</source>
        <translation>The following recovery data could not be read and has been left as it is:
%1</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryOffer.cpp"/>
        <source>要放弃这份恢复数据吗？放弃后不能再找回。</source>
        <translation>Discard this recovery data? Once discarded it cannot be recovered.</translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryStore.cpp"/>
        <source>无法创建恢复数据文件夹：</source>
        <translation>Cannot create the recovery data folder: </translation>
    </message>
    <message>
        <location filename="../src/app/RecoveryStore.cpp"/>
        <source>无法锁定恢复数据文件：</source>
        <translation>Cannot lock the recovery data file: </translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>PNG 图片 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>SVG 矢量图 (*.svg)</source>
        <translation>SVG vector image (*.svg)</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>PDF 文档 (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>1×（与屏幕相同）</source>
        <translation>1× (as on screen)</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>2×（高清）</source>
        <translation>2× (high resolution)</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>300 dpi（按打印宽度）</source>
        <translation>300 dpi (for a print width)</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>导出图形</source>
        <translation>Export Sheet</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>分辨率：</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>打印宽度（厘米）：</source>
        <translation>Print width (cm):</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>无法生成图形</source>
        <translation>Cannot create the picture</translation>
    </message>
    <message>
        <location filename="../src/app/SheetExport.cpp"/>
        <source>无法导出图形：%1</source>
        <translation>Cannot export the sheet: %1</translation>
    </message>
    <message>
        <location filename="../src/app/SheetInteraction.cpp"/>
        <source>粗线(&amp;t)</source>
        <translation>&amp;Thick Line</translation>
    </message>
    <message>
        <location filename="../src/app/SheetPrinting.cpp"/>
        <source>没有可打印的图形。</source>
        <translation>There is nothing to print.</translation>
    </message>
    <message>
        <location filename="../src/app/SheetPrinting.cpp"/>
        <source>无法开始打印作业，请检查打印机或输出文件。</source>
        <translation>Cannot start the print job; please check the printer or the output file.</translation>
    </message>
    <message>
        <location filename="../src/app/SheetPrinting.cpp"/>
        <source>打印作业失败。</source>
        <translation>The print job failed.</translation>
    </message>
    <message>
        <location filename="../src/app/SheetPrinting.cpp"/>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <location filename="../src/app/SheetPrinting.cpp"/>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <location filename="../src/app/SheetPrinting.cpp"/>
        <source>打印失败：%1</source>
        <translation>Printing failed: %1</translation>
    </message>
    <message>
        <location filename="../src/app/SheetWidget.cpp"/>
        <source>绘图区</source>
        <translation>Sheet</translation>
    </message>
    <message>
        <location filename="../src/app/TForm13.cpp"/>
        <source>关于软件</source>
        <translation>About Quorvel</translation>
    </message>
    <message>
        <location filename="../src/app/TForm13.cpp"/>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location filename="../src/app/TForm13.cpp"/>
        <source>中学数学教学工具。

• 公式编辑：用函数式的线性标记输入公式，程序检查后排成二维公式，可放到图纸上、复制或导出。
• 函数作图：在方形、矩形或极坐标网格上绘制十四种模板函数和自定义函数的图像，带定义域、颜色和公式标签，并可动态演示参数 A、B、C 的变化。
• 计算：求含变量的表达式的值并显示在图纸上。
• 实验：曲线、公式、计算和多行注释一起保存为 .Fun 文件，可以打印、撤消和重做。</source>
        <translation>A tool for teaching school mathematics.

• Formulas: type a formula in a linear, function-style markup; the program checks it and typesets it in two dimensions, to place on the sheet, copy or export.
• Graphs: plot the fourteen template functions and custom functions on square, rectangular or polar grids, each with its domain, colour and formula label, and animate the parameters A, B and C.
• Calculations: evaluate expressions with variables and show the results on the sheet.
• Documents: curves, formulas, calculations and notes are saved together in a .Fun file, and can be printed, undone and redone.</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Files.cpp"/>
        <source>文件太大</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Files.cpp"/>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Files.cpp"/>
        <source>无法读取文件“%1”：%2</source>
        <translation>Cannot read the file “%1”: %2</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Files.cpp"/>
        <source>文件“%1”已经存在，要替换它吗？</source>
        <translation>The file “%1” already exists. Replace it?</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>新建…(&amp;N)</source>
        <translation>&amp;New…</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>打开…(&amp;O)</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>保存…(&amp;S)</source>
        <translation>&amp;Save As…</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>导出图形…(&amp;E)</source>
        <translation>&amp;Export Sheet…</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>打印(&amp;P)</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>退出(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>创建函数</source>
        <translation>Create Function</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>全选</source>
        <translation>Select All</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>重做(&amp;S)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>剪切(&amp;X)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>粘贴(&amp;V)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>复制图形(&amp;G)</source>
        <translation>Copy &amp;Sheet</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>坐标设置</source>
        <translation>Axes Settings</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>网格(&amp;T)</source>
        <translation>&amp;Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>方形网格</source>
        <translation>Square Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>矩形网格</source>
        <translation>Rectangular Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>极坐标网格</source>
        <translation>Polar Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>工具(&amp;O)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>公式编辑</source>
        <translation>Formula Editor</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>自定义函数(&amp;D)</source>
        <translation>Custom &amp;Function</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>计算(&amp;I)</source>
        <translation>&amp;Calculation</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>多行注释(&amp;R)</source>
        <translation>&amp;Note</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>追踪曲线(&amp;T)</source>
        <translation>&amp;Trace Curve</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>数值表(&amp;B)</source>
        <translation>&amp;Value Table</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>默认视图(&amp;D)</source>
        <translation>&amp;Default View</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>使用说明(&amp;M)</source>
        <translation>User &amp;Guide</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>关于软件(&amp;N)</source>
        <translation>&amp;About Quorvel</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>自定义函数</source>
        <translation>Custom Function</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>计算</source>
        <translation>Calculation</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>网格</source>
        <translation>Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>方形坐标</source>
        <translation>Square Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>矩形坐标</source>
        <translation>Rectangular Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>极坐标</source>
        <translation>Polar Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>显示网格</source>
        <translation>Show Grid</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>修改字体</source>
        <translation>Change Font</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>动态演示</source>
        <translation>Animate Parameters</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>函数标签</source>
        <translation>Curve Label</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>注释</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>追踪曲线</source>
        <translation>Trace Curve</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>数值表</source>
        <translation>Value Table</translation>
    </message>
    <message>
        <location filename="../src/app/TForm1Menus.cpp"/>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <location filename="../src/app/TForm6.cpp"/>
        <source>多行注释</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../src/app/TForm6.cpp"/>
        <source>注释正文</source>
        <translation>Note text</translation>
    </message>
    <message>
        <location filename="../src/app/TForm6.cpp"/>
        <source>按钮</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <location filename="../src/app/TForm6.cpp"/>
        <source>设置字体     </source>
        <translation>Set Font     </translation>
    </message>
    <message>
        <location filename="../src/app/TForm6.cpp"/>
        <source>设置字体</source>
        <translation>Set Font</translation>
    </message>
    <message>
        <location filename="../src/app/TForm6.cpp"/>
        <source>修改</source>
        <translation>Change</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>正比例函数</source>
        <translation>Linear</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>反比例函数</source>
        <translation>Reciprocal</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>二次函数</source>
        <translation>Quadratic</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>幂函数</source>
        <translation>Power</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>指数函数</source>
        <translation>Exponential</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>对数函数</source>
        <translation>Logarithm</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>正弦函数</source>
        <translation>Sine</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>余弦函数</source>
        <translation>Cosine</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>正切函数</source>
        <translation>Tangent</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>余切函数</source>
        <translation>Cotangent</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>反正弦函数</source>
        <translation>Arcsine</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>反余弦函数</source>
        <translation>Arccosine</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>反正切函数</source>
        <translation>Arctangent</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>反余切函数</source>
        <translation>Arccotangent</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source> 自定义函数</source>
        <translation> Custom</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>   多行注释</source>
        <translation>   Note</translation>
    </message>
    <message>
        <location filename="../src/app/TemplateBar.cpp"/>
        <source>模板栏</source>
        <translation>Template Bar</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>起始值(&amp;S)：</source>
        <translation>&amp;Start:</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>步长(&amp;P)：</source>
        <translation>Ste&amp;p:</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>行数(&amp;N)：</source>
        <translation>&amp;Number of rows:</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>选中的曲线(&amp;C)</source>
        <translation>Selected &amp;curve</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>所有曲线(&amp;A)</source>
        <translation>&amp;All curves</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>复制(&amp;Y)</source>
        <translation>Cop&amp;y</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>保存为CSV(&amp;V)…</source>
        <translation>Sa&amp;ve as CSV…</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>保存数值表</source>
        <translation>Save Value Table</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>数值表.csv</source>
        <translation>value-table.csv</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <location filename="../src/app/ValueTableDialog.cpp"/>
        <source>无法保存数值表：%1</source>
        <translation>Cannot save the value table: %1</translation>
    </message>
    <message>
        <location filename="../src/base/MessageSink.h"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../src/base/MessageSink.h"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../src/base/MessageSink.h"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../src/codec/FunFile.cpp"/>
        <source>无法使用GB18030编码保存文件！</source>
        <translation>The file cannot be saved in the GB18030 encoding!</translation>
    </message>
    <message>
        <location filename="../src/codec/FunFile.cpp"/>
        <source>文件保存失败：%1</source>
        <translation>Saving the file failed: %1</translation>
    </message>
    <message>
        <location filename="../src/document/Messages.h"/>
        <source>该文件不是本软件的存储文件,不能打开!</source>
        <translation>This file is not a Quorvel document and cannot be opened!</translation>
    </message>
    <message>
        <location filename="../src/document/Messages.h"/>
        <source>文件中的注释或函数超过999个,多余的部分没有读入!</source>
        <translation>The file holds more than 999 notes or functions; the extra ones were not read!</translation>
    </message>
    <message>
        <location filename="../src/document/Messages.h"/>
        <source>文件中有本程序不认识的图形对象，可能是更新的版本保存的，不能打开!</source>
        <translation>The file holds a graph object this program does not know, probably saved by a newer version. It cannot be opened.</translation>
    </message>
    <message>
        <location filename="../src/document/Messages.h"/>
        <source>实验中的对象已达到999个,不能再添加!</source>
        <translation>The document already holds 999 objects; no more can be added!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>%1中不能含有换行,请修改！</source>
        <translation>The %1 must not contain a line break; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>字体名称</source>
        <translation>font name</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>数值太大或不是有效的数,不能保存,请修改！</source>
        <translation>A value is too large or not a valid number and cannot be saved; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>%1中不能含有“##”,请修改！</source>
        <translation>The %1 must not contain “##”; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>%1不能以“#”结尾,请修改！</source>
        <translation>The %1 must not end with “#”; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>注释正文中只有最后一行可以含有“##”,请修改！</source>
        <translation>Only the last line of a note may contain “##”; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>函数名称</source>
        <translation>function name</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>参数个数超出范围,请修改！</source>
        <translation>The number of parameters is out of range; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>参数名称</source>
        <translation>parameter name</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>坐标系设置：%1</source>
        <translation>Axes settings: %1</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>第%1个注释：%2</source>
        <translation>Note %1: %2</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.cpp"/>
        <source>第%1个函数或公式：%2</source>
        <translation>Function or formula %1: %2</translation>
    </message>
    <message>
        <location filename="../src/document/TextFormRules.h"/>
        <source>表达式</source>
        <translation>expression</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>函数</source>
        <translation>Function</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>绘制曲线的定义域</source>
        <translation>Domain of the curve</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>参数方程</source>
        <translation>Parametric equation</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>参数 t 的范围</source>
        <translation>Range of the parameter t</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>极坐标方程</source>
        <translation>Polar equation</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>参数 θ 的范围</source>
        <translation>Range of the parameter θ</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>隐函数/不等式</source>
        <translation>Implicit curve / inequality</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>曲线类型：</source>
        <translation>Curve &amp;kind:</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>曲线类型</source>
        <translation>Curve kind</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>参数范围起点</source>
        <translation>Start of the parameter range</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>定义域起点</source>
        <translation>Domain start</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>参数范围终点</source>
        <translation>End of the parameter range</translation>
    </message>
    <message>
        <location filename="../src/editor/CurveKindChoice.cpp"/>
        <source>定义域终点</source>
        <translation>Domain end</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>维数</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>输入方式</source>
        <translation>Input method</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>简单行列式</source>
        <translation>Simple determinant</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>复杂行列式</source>
        <translation>Complex determinant</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>行数</source>
        <translation>Rows</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>列数</source>
        <translation>Columns</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>行数:</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>列数:</source>
        <translation>Columns:</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>创建矩阵</source>
        <translation>Create Matrix</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>创建行列式</source>
        <translation>Create Determinant</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>简单矩阵</source>
        <translation>Simple matrix</translation>
    </message>
    <message>
        <location filename="../src/editor/Tdimension.cpp"/>
        <source>复杂矩阵</source>
        <translation>Complex matrix</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>请在定义域输入框中输入有效数字！</source>
        <translation>Please enter valid numbers for the domain!</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>你输入的定义域起始位置大于终点位置，请重输</source>
        <translation>The start of the domain is greater than its end; please enter it again</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>不能用修改的方法将函数清空！</source>
        <translation>A function cannot be emptied by changing it!</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>没有可以导出的公式，请先输入一个正确的表达式！</source>
        <translation>There is no formula to export; please enter a valid expression first!</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>显示实例</source>
        <translation>Show Examples</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>隐藏实例</source>
        <translation>Hide Examples</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>导出表达式</source>
        <translation>Export Formula</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>BMP 位图 (*.bmp)</source>
        <translation>BMP bitmap (*.bmp)</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>LaTeX 公式 (*.tex)</source>
        <translation>LaTeX formula (*.tex)</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>MathML 公式 (*.mml)</source>
        <translation>MathML formula (*.mml)</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>输入区</source>
        <translation>Input</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>函数表达式</source>
        <translation>Function form</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>预览区</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>水平滚动</source>
        <translation>Horizontal scroll</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>垂直滚动</source>
        <translation>Vertical scroll</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source> ～ </source>
        <translation> to </translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>输出设置</source>
        <translation>Output Settings</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>变量赋值</source>
        <translation>Variable Values</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>转换成函数形式</source>
        <translation>Convert to Function Form</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>生成数学表达式</source>
        <translation>Typeset Formula</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>效果查看</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>实例显示</source>
        <translation>Example</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>对应的函数       </source>
        <translation>Markup       </translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>实例图片</source>
        <translation>Example picture</translation>
    </message>
    <message>
        <location filename="../src/editor/Tformularymain.cpp"/>
        <source>无法写入%1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <location filename="../src/editor/Tmarrangform.cpp"/>
        <source>矩阵和行列式的填写</source>
        <translation>Matrix and Determinant Cells</translation>
    </message>
    <message>
        <location filename="../src/editor/Tmarrangform.cpp"/>
        <source>定值变量设置</source>
        <translation>Variable Values</translation>
    </message>
    <message>
        <location filename="../src/editor/Tmarrangform.cpp"/>
        <source>设置</source>
        <translation>Set</translation>
    </message>
    <message>
        <location filename="../src/editor/Tmarrangform.cpp"/>
        <source>重填</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location filename="../src/editor/Tmarrangform.cpp"/>
        <source>生成矩阵:</source>
        <translation>Matrix:</translation>
    </message>
    <message>
        <location filename="../src/editor/Tmarrangform.cpp"/>
        <source>生成行列式</source>
        <translation>Determinant</translation>
    </message>
    <message>
        <location filename="../src/editor/Toperationbuttonform.cpp"/>
        <source>运算符按钮</source>
        <translation>Operator Palette</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>功能切换</source>
        <translation>Shift functions</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>左移</source>
        <translation>Move left</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>右移</source>
        <translation>Move right</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>退格</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>sin(x)；Shift：arcsin(x)</source>
        <translation>sin(x); Shift: arcsin(x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>cos(x)；Shift：arccos(x)</source>
        <translation>cos(x); Shift: arccos(x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>tg(x)；Shift：arctg(x)</source>
        <translation>tg(x); Shift: arctg(x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>ctg(x)；Shift：arcctg(x)</source>
        <translation>ctg(x); Shift: arcctg(x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>正割</source>
        <translation>Secant</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>绝对值：abs(x)；Shift：{}</source>
        <translation>Absolute value: abs(x); Shift: {}</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>n次方根</source>
        <translation>nth root</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>n次方根：ext(x,n)；Shift：cub(x,n)</source>
        <translation>nth root: ext(x,n); Shift: cub(x,n)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>平方根</source>
        <translation>Square root</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>平方根：sqrt(x)；Shift：cub(x,2)</source>
        <translation>Square root: sqrt(x); Shift: cub(x,2)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>幂指数</source>
        <translation>eˣ</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>幂指数：exp(x)；Shift：ln(x)</source>
        <translation>Exponential eˣ: exp(x); Shift: ln(x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>指数</source>
        <translation>aˣ</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>指数：ind(a,x)；Shift：log(a,b)</source>
        <translation>Power aˣ: ind(a,x); Shift: log(a,b)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>以10为底的指数</source>
        <translation>10ˣ</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>以10为底的指数：ind(10,x)；Shift：lg(x)</source>
        <translation>Power of ten: ind(10,x); Shift: lg(x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>上下标</source>
        <translation>Scripts</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>积分：ing1(a;b,x,x)</source>
        <translation>Integral: ing1(a;b,x,x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>极限：lim(x,∞,f(x))</source>
        <translation>Limit: lim(x,∞,f(x))</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>向量</source>
        <translation>Vector</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>向量：vec(AB)</source>
        <translation>Vector: vec(AB)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>求和：sum(i=0,n,x_ _i)；Shift：prod(i=0,n,x_ _i)</source>
        <translation>Sum: sum(i=0,n,x_ _i); Shift: product prod(i=0,n,x_ _i)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>导数：derive(y,x)；Shift：pderive(y,x)</source>
        <translation>Derivative: derive(y,x); Shift: partial derivative pderive(y,x)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>特殊字母</source>
        <translation>Special letters</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>条件表达式</source>
        <translation>Condition</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>条件表达式：f(x)=con(1,x,x&gt;0)</source>
        <translation>Conditional expression: f(x)=con(1,x,x&gt;0)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>分段函数</source>
        <translation>Piecewise</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>方程组</source>
        <translation>System</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>矩 阵</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>矩阵：matrix()</source>
        <translation>Matrix: matrix()</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>行列式</source>
        <translation>Determinant</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>行列式：range()</source>
        <translation>Determinant: range()</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>特殊符号</source>
        <translation>Special symbols</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>7；Shift：!</source>
        <translation>7; Shift: !</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>8；Shift：P(n,k)</source>
        <translation>8; Shift: P(n,k)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>9；Shift：C(n,k)</source>
        <translation>9; Shift: C(n,k)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>括号：()；Shift：[]</source>
        <translation>Brackets: (); Shift: []</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>%；Shift：‰</source>
        <translation>%; Shift: ‰</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>乘号</source>
        <translation>Multiplication signs</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>⊥；Shift：∥</source>
        <translation>⊥; Shift: ∥</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>≌；Shift：∽</source>
        <translation>≌; Shift: ∽</translation>
    </message>
    <message>
        <location filename="../src/editor/core/KeypadTable.cpp"/>
        <source>大于</source>
        <translation>Comparison signs</translation>
    </message>
    <message>
        <location filename="../src/editor/core/MatrixMarkup.cpp"/>
        <source>请输入您想创建对象的维数!!!</source>
        <translation>Please enter the dimensions of the object to create!</translation>
    </message>
    <message>
        <location filename="../src/editor/core/MatrixMarkup.cpp"/>
        <source>输入有误</source>
        <translation>Invalid input</translation>
    </message>
    <message>
        <location filename="../src/editor/core/MatrixMarkup.cpp"/>
        <source>行列式的行和列的数目不等！</source>
        <translation>A determinant must have as many rows as columns!</translation>
    </message>
    <message>
        <location filename="../src/editor/core/MatrixMarkup.cpp"/>
        <source>你选择要输入的方式！</source>
        <translation>Please choose an input method!</translation>
    </message>
    <message>
        <location filename="../src/editor/core/MatrixMarkup.cpp"/>
        <source>你输入的变量%1不正确！</source>
        <translation>The variable %1 is not valid!</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>小括号</source>
        <translation>Parentheses</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>中括号</source>
        <translation>Square brackets</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>大括号</source>
        <translation>Braces</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>绝对值</source>
        <translation>Absolute value</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>右半开放区间</source>
        <translation>Half-open interval, open on the right</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>左半开放区间</source>
        <translation>Half-open interval, open on the left</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>   %。</source>
        <translation>   Per mille</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>x乘以y</source>
        <translation>x times y</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>n次方</source>
        <translation>nth power</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>上标</source>
        <translation>Superscript</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>下标</source>
        <translation>Subscript</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>余割</source>
        <translation>Cosecant</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>符号函数</source>
        <translation>Sign function</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>双曲正弦</source>
        <translation>Hyperbolic sine</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>双曲余弦</source>
        <translation>Hyperbolic cosine</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>双曲正切</source>
        <translation>Hyperbolic tangent</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>极限</source>
        <translation>Limit</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>以10为底的对数</source>
        <translation>Common logarithm (base 10)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>以e为底的对数</source>
        <translation>Natural logarithm (base e)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>以a为底的对数</source>
        <translation>Logarithm to base a</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>求和</source>
        <translation>Sum</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>求积</source>
        <translation>Product</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>矩阵</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>导数</source>
        <translation>Derivative</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>偏导数</source>
        <translation>Partial derivative</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>积分</source>
        <translation>Integral</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>分段</source>
        <translation>Piecewise</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>含有条件的多函数</source>
        <translation>Piecewise function with conditions</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>条件</source>
        <translation>Condition</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>有条件的单个函数</source>
        <translation>Single function with a condition</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>空集</source>
        <translation>Empty set</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>属于</source>
        <translation>Element of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>不属于</source>
        <translation>Not an element of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>并</source>
        <translation>Union</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>交</source>
        <translation>Intersection</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>包含于</source>
        <translation>Subset of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>包含</source>
        <translation>Superset of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>被掩于</source>
        <translation>Proper subset of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>掩盖</source>
        <translation>Proper superset of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>不包含于</source>
        <translation>Not a subset of</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>补集</source>
        <translation>Complement</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>任意</source>
        <translation>For all</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>存在</source>
        <translation>There exists</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>省略</source>
        <translation>Ellipsis</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>有序列</source>
        <translation>Ordered tuple</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>并集</source>
        <translation>Union of sets</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>交集</source>
        <translation>Intersection of sets</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>排列</source>
        <translation>Permutations</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>组合</source>
        <translation>Combinations</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>对等关系运算类</source>
        <translation>Relations</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>括号类</source>
        <translation>Brackets</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>四则运算次方类</source>
        <translation>Arithmetic</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>上下标号类</source>
        <translation>Scripts</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>三角函数类</source>
        <translation>Trigonometry</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>对数极限类</source>
        <translation>Logs, limits</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>求和求积类</source>
        <translation>Sums, products</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>矩阵行列式类</source>
        <translation>Matrices</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>阶乘指数类</source>
        <translation>Factorials</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>求导积分条件类</source>
        <translation>Calculus</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>小写特殊符号</source>
        <translation>Greek (small)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>大写特殊符号</source>
        <translation>Greek (capital)</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>集合</source>
        <translation>Sets</translation>
    </message>
    <message>
        <location filename="../src/editor/core/PaletteTable.cpp"/>
        <source>排列组合类</source>
        <translation>Combinatorics</translation>
    </message>
    <message>
        <location filename="../src/expr/Calculation.h"/>
        <source>输入有误或表达式中含有不能计算的函数,或者计算的结果太大和太小，输出的结果将不正确！</source>
        <translation>The input is invalid, the expression contains a function that cannot be calculated, or the result is too large or too small; the result shown will not be correct!</translation>
    </message>
    <message>
        <location filename="../src/expr/Calculation.h"/>
        <source>输入有误或表达式中含有不能计算的函数,输出的为错误信息！</source>
        <translation>The input is invalid or the expression contains a function that cannot be calculated; an error is shown instead of a result!</translation>
    </message>
    <message>
        <location filename="../src/expr/Evaluator.cpp"/>
        <source>变量数目超过了100，不能在添加变量！</source>
        <translation>There are more than 100 variables; no more can be added!</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>嵌套超过了%1层</source>
        <translation>nested more than %1 levels deep</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>LaTeX第%1个字符处：%2，请修改！</source>
        <translation>LaTeX at character %1: %2; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>无法识别的字符</source>
        <translation>unrecognised character</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>末尾的反斜杠“\”后缺少命令</source>
        <translation>a command is missing after the final backslash “\”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\hspace缺少{…}</source>
        <translation>\hspace is missing {…}</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\hspace的“{”没有配对的“}”</source>
        <translation>the “{” of \hspace has no matching “}”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>多余的“}”</source>
        <translation>an extra “}”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>“{”没有配对的“}”</source>
        <translation>“{” has no matching “}”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>没有可以转换的公式</source>
        <translation>there is no formula to convert</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>公式不完整，后面缺少内容</source>
        <translation>the formula is incomplete; something is missing at the end</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>上标或下标前缺少内容</source>
        <translation>something is missing before the superscript or subscript</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>“&amp;”只能用在矩阵、行列式或cases中</source>
        <translation>“&amp;” may only be used in a matrix, a determinant or cases</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>换行“\\”只能用在矩阵、行列式或cases中</source>
        <translation>the line break “\\” may only be used in a matrix, a determinant or cases</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>多余的“\right”</source>
        <translation>an extra “\right”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>此处不能有“\%1”</source>
        <translation>“\%1” is not allowed here</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>此处不能有“%1”</source>
        <translation>“%1” is not allowed here</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>公式中没有“∓”</source>
        <translation>formulas have no “∓”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>条件超过了%1个</source>
        <translation>more than %1 conditions</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>重复的上标或下标</source>
        <translation>a repeated superscript or subscript</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>下标中没有内容</source>
        <translation>the subscript is empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>上标中没有内容</source>
        <translation>the superscript is empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>缺少参数（多个字符请用{}括起）</source>
        <translation>an argument is missing (enclose several characters in {})</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>%1中没有内容</source>
        <translation>the %1 is empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>公式中没有这个“\not”</source>
        <translation>formulas have no such “\not”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>无法识别的命令“\%1”</source>
        <translation>unrecognised command “\%1”</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>括号不配对</source>
        <translation>the brackets do not match</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>括号没有配对</source>
        <translation>a bracket has no partner</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>括号中没有内容</source>
        <translation>the brackets are empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>绝对值的“|”没有配对</source>
        <translation>the “|” of an absolute value has no partner</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\left或\right后的括号无法转换</source>
        <translation>the bracket after \left or \right cannot be converted</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\left后的括号方向不对</source>
        <translation>the bracket after \left faces the wrong way</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\left.只能用在方程组（\left\{…\right.）中</source>
        <translation>\left. may only be used in a system of equations (\left\{…\right.)</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\left没有配对的\right</source>
        <translation>\left has no matching \right</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>绝对值中不能有逗号</source>
        <translation>an absolute value must not contain a comma</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>函数名后不能有下标</source>
        <translation>a function name must not have a subscript</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>函数缺少自变量</source>
        <translation>the function has no argument</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>无法转换高阶导数</source>
        <translation>higher derivatives cannot be converted</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>根号</source>
        <translation>root</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>缺少%1</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>求和的式子</source>
        <translation>the summand</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>求积的式子</source>
        <translation>the factor of the product</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>积分缺少被积函数</source>
        <translation>the integral has no integrand</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>积分缺少积分变量（如\,\mathrm{d}x）</source>
        <translation>the integral has no variable of integration (such as \,\mathrm{d}x)</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\lim缺少下标（如_{x\to 0}）</source>
        <translation>\lim has no subscript (such as _{x\to 0})</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\lim的下标应写成x\to a</source>
        <translation>the subscript of \lim should read x\to a</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>求极限的式子</source>
        <translation>the expression of the limit</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\operatorname中的名字无法转换</source>
        <translation>the name in \operatorname cannot be converted</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\text后缺少{…}</source>
        <translation>\text is missing {…}</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>文字中的“\%1”无法转换</source>
        <translation>“\%1” in text cannot be converted</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>文字中的“%1”无法转换</source>
        <translation>“%1” in text cannot be converted</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>文字中没有内容</source>
        <translation>the text is empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>环境缺少名字</source>
        <translation>the environment has no name</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>环境的名字无法识别</source>
        <translation>the name of the environment is not recognised</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>环境“%1”无法转换（方程组请写在\left\{…\right.中）</source>
        <translation>the environment “%1” cannot be converted (write systems of equations in \left\{…\right.)</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>无法转换的环境“%1”</source>
        <translation>the environment “%1” cannot be converted</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>array缺少列的格式</source>
        <translation>array has no column format</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>环境“%1”没有\end</source>
        <translation>the environment “%1” has no \end</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>环境“%1”中没有内容</source>
        <translation>the environment “%1” is empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>\begin{%1}与\end不配对</source>
        <translation>\begin{%1} and \end do not match</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>方程组的一行中没有内容</source>
        <translation>a line of the system is empty</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>方程组的一行最多有两列</source>
        <translation>a line of the system has at most two columns</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>行列式的行数或列数超过了%1</source>
        <translation>the determinant has more than %1 rows or columns</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>矩阵的行数或列数超过了%1</source>
        <translation>the matrix has more than %1 rows or columns</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>方程组的行数超过了%1</source>
        <translation>the system has more than %1 lines</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>方程组中有空行</source>
        <translation>the system has an empty line</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>方程组的一行中条件写了两次</source>
        <translation>a line of the system has two conditions</translation>
    </message>
    <message>
        <location filename="../src/expr/LatexReader.cpp"/>
        <source>转换得到的公式无法通过检查：%1</source>
        <translation>The converted formula does not pass the checks: %1</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>表达式的长度超过了%1个字节，请修改！</source>
        <translation>The expression is longer than %1 bytes; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>表达式中括号的嵌套超过了%1层，请修改！</source>
        <translation>The brackets of the expression are nested more than %1 levels deep; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>表达式中运算的嵌套超过了%1层，请修改！</source>
        <translation>The operations of the expression are nested more than %1 levels deep; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>表达式过于复杂，无法转换，请修改！</source>
        <translation>The expression is too complex to convert; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的矩阵的行数或列数不是自然数，请修改！</source>
        <translation>The number of rows or columns of the matrix is not a natural number; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的行列式的行数或列数不是自然数，请修改！</source>
        <translation>The number of rows or columns of the determinant is not a natural number; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的多行表达式中的行数不是自然数，请修改！</source>
        <translation>The number of lines of the multi-line expression is not a natural number; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的条件表达式中的个数不是自然数，请修改！</source>
        <translation>The number of conditions is not a natural number; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的矩阵的行数或列数超过了%1，请修改！</source>
        <translation>The matrix has more than %1 rows or columns; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的行列式的行数或列数超过了%1，请修改！</source>
        <translation>The determinant has more than %1 rows or columns; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的多行表达式中的行数超过了%1，请修改！</source>
        <translation>The multi-line expression has more than %1 lines; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的条件表达式中的个数超过了%1，请修改！</source>
        <translation>There are more than %1 conditions; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的矩阵的元素个数与行数和列数不符，请修改！</source>
        <translation>The number of entries of the matrix does not match its rows and columns; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的行列式的元素个数与行数和列数不符，请修改！</source>
        <translation>The number of entries of the determinant does not match its rows and columns; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的多行表达式中的行数与实际写出的行数不符，请修改！</source>
        <translation>The number of lines given for the multi-line expression does not match the lines written; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ParseLimits.cpp"/>
        <source>您输入的条件表达式中的个数与实际写出的条件个数不符，请修改！</source>
        <translation>The number of conditions given does not match the conditions written; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/TypedNotation.cpp"/>
        <source>表达式里第%1位的&apos;|&apos;没有配对的&apos;|&apos;，请修改！</source>
        <translation>The &apos;|&apos; at position %1 of the expression has no matching &apos;|&apos;; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/TypedNotation.cpp"/>
        <source>表达式里第%1位的&apos;%2&apos;后面缺少运算对象，请修改！</source>
        <translation>An operand is missing after the &apos;%2&apos; at position %1 of the expression; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/TypedNotation.cpp"/>
        <source>表达式里第%1位的&apos;%2&apos;不是函数名，不能跟括号；相乘请写成%2*(…)，请修改！</source>
        <translation>The &apos;%2&apos; at position %1 of the expression is not a function name and cannot take brackets; to multiply, write %2*(…). Please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/UnassignedNames.cpp"/>
        <source>以下名称没有赋值，按0计算：%1。可用“变量赋值”给出它们的值。</source>
        <translation>These names have no value and count as 0: %1. Give them values with “Variable Values”.</translation>
    </message>
    <message>
        <location filename="../src/expr/UnassignedNames.h"/>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>表达式中第%1位置的括号为中文输入法下的括号，请修改！</source>
        <translation>The bracket at position %1 of the expression is a full-width bracket; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>表达式中第%1位置的%2和第%3位置的%4中的内容为空，请修改！</source>
        <translation>Nothing stands between the %2 at position %1 and the %4 at position %3 of the expression; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>表达式中第%1位置的%2和第%3位置的%4中间没有运算符，请修改！</source>
        <translation>There is no operator between the %2 at position %1 and the %4 at position %3 of the expression; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>表达式前面找不到能与第%1位的%2匹配的左括号，请修改！</source>
        <translation>No opening bracket before position %1 matches the %2 there; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>左括号和右括号的数目不等，请修改！</source>
        <translation>The numbers of opening and closing brackets differ; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>%1和%2不匹配，请修改！</source>
        <translation>%1 and %2 do not match; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>没有%1这个运算符，请修改！</source>
        <translation>There is no operator %1; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>函数%1的参数数目不正确，请修改！</source>
        <translation>The function %1 has the wrong number of arguments; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>第一位不能有逗号，请修改！</source>
        <translation>The expression must not start with a comma; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>最后一位不能有逗号，请修改！</source>
        <translation>The expression must not end with a comma; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>表达式里第%1位的&apos;,&apos;不应该存在，请修改！</source>
        <translation>The &apos;,&apos; at position %1 of the expression does not belong there; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>表达式里第%1位的&apos;;&apos;不应该存在，请修改！</source>
        <translation>The &apos;;&apos; at position %1 of the expression does not belong there; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/Validation.cpp"/>
        <source>输入的表达式在%1位置起有误,请修改！</source>
        <translation>The expression is wrong from position %1 on; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/expr/ValueChecks.cpp"/>
        <source>表达式里第%1位的&apos;%2&apos;前面缺少运算对象，请修改！</source>
        <translation>An operand is missing before the &apos;%2&apos; at position %1 of the expression; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/graph/CurveCommands.h"/>
        <source>请选择要输出的函数表达式字体名称！</source>
        <translation>Please choose the font of the function label!</translation>
    </message>
    <message>
        <location filename="../src/graph/CurveCommands.h"/>
        <source>你输入的数值型数据中含有不是数字的部分，请修改！</source>
        <translation>A numeric field contains something that is not a number; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/graph/CurveStyleCommands.cpp"/>
        <source>细线(&amp;t)</source>
        <translation>&amp;Thin Line</translation>
    </message>
    <message>
        <location filename="../src/graph/FormulaCommands.h"/>
        <source>公式编辑器</source>
        <translation>Formula Editor</translation>
    </message>
    <message>
        <location filename="../src/graph/FormulaCommands.h"/>
        <source>绘制自定义函数</source>
        <translation>Plot Custom Function</translation>
    </message>
    <message>
        <location filename="../src/graph/FormulaCommands.h"/>
        <source>计算表达式</source>
        <translation>Calculate Expression</translation>
    </message>
    <message>
        <location filename="../src/graph/Messages.h"/>
        <source>函数应写成 y=f(x) 或 f(x) 的形式；含 y 的方程或不等式请在“曲线类型”中选择“隐函数/不等式”！</source>
        <translation>Write a function as y=f(x) or f(x). For an equation or inequality in y, choose “Implicit curve / inequality” under “Curve kind”.</translation>
    </message>
    <message>
        <location filename="../src/graph/Messages.h"/>
        <source>参数方程应写成两个方程 x=f(t);y=g(t)，例如 x=cos(t);y=sin(t)，请修改！</source>
        <translation>Write a parametric curve as two equations x=f(t);y=g(t), for example x=cos(t);y=sin(t). Please correct it.</translation>
    </message>
    <message>
        <location filename="../src/graph/Messages.h"/>
        <source>极坐标方程应写成 r=f(θ)，右边不含 x 和 y，例如 r=1+cos(θ)，请修改！</source>
        <translation>Write a polar curve as r=f(θ) with no x or y on the right, for example r=1+cos(θ). Please correct it.</translation>
    </message>
    <message>
        <location filename="../src/graph/Messages.h"/>
        <source>隐函数应写成含 x、y 的方程或不等式（可用分号隔开几个不等式），例如 x^2+y^2=4 或 y&gt;x^2，请修改！</source>
        <translation>Write an implicit curve as an equation or inequality in x and y (several inequalities separated by semicolons), for example x^2+y^2=4 or y&gt;x^2. Please correct it.</translation>
    </message>
    <message>
        <location filename="../src/graph/Messages.h"/>
        <source>参数的范围必须是数（可以含 π），请修改！</source>
        <translation>The bounds of the parameter must be numbers (π may be used). Please correct them.</translation>
    </message>
    <message>
        <location filename="../src/graph/Messages.h"/>
        <source>参数范围的起点必须小于终点，请修改！</source>
        <translation>The start of the parameter range must be less than its end. Please correct it.</translation>
    </message>
    <message>
        <location filename="../src/graph/ParameterSweep.h"/>
        <source>请输入一个实数</source>
        <translation>Please enter a real number</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>零点</source>
        <translation>Zero</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>极小值</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>极大值</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>与y轴的交点</source>
        <translation>y-intercept</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>交点</source>
        <translation>Intersection</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>追踪 %1：x = %2, y = %3</source>
        <translation>Trace %1: x = %2, y = %3</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>追踪 %1：x = %2, y 无定义</source>
        <translation>Trace %1: x = %2, y undefined</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>追踪 %1：%2 = %3, x = %4, y = %5</source>
        <translation>Trace %1: %2 = %3, x = %4, y = %5</translation>
    </message>
    <message>
        <location filename="../src/graph/ReadingWords.h"/>
        <source>追踪 %1：%2 = %3, 无定义</source>
        <translation>Trace %1: %2 = %3, undefined</translation>
    </message>
    <message>
        <location filename="../src/graph/StatusText.h"/>
        <source>当前鼠标的坐标为：(%1,%2)</source>
        <translation>Pointer at (%1, %2)</translation>
    </message>
    <message>
        <location filename="../src/graph/ValueTableText.h"/>
        <source>无定义</source>
        <translation>undefined</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>动态演示功能暂不可用</source>
        <translation>Animation is not available yet</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>函数编辑</source>
        <translation>Function</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>函数标准形式:</source>
        <translation>Standard form:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>函数名称：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>参数设置：</source>
        <translation>Parameters:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>输出设置：</source>
        <translation>Label:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>字体大小：</source>
        <translation>Font size:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>字体名称：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>曲线颜色：</source>
        <translation>Curve colour:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>单击选择曲线颜色</source>
        <translation>Click to choose the curve colour</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm3.cpp"/>
        <source>曲线绘制定义域</source>
        <translation>Domain of the curve</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm4.cpp"/>
        <source>参数调整：</source>
        <translation>Adjust parameters:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm4.cpp"/>
        <source>当前参数值：</source>
        <translation>Current value:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm4.cpp"/>
        <source>步长：</source>
        <translation>Step:</translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm4.cpp"/>
        <source>保存当前参数值 </source>
        <translation>Keep the current values </translation>
    </message>
    <message>
        <location filename="../src/graph/ui/TForm4.cpp"/>
        <source>不保存当前参数值</source>
        <translation>Restore the previous values</translation>
    </message>
    <message>
        <location filename="../src/typeset/FormulaStyle.h"/>
        <source>字体大小必须在1到500之间，请修改！</source>
        <translation>The font size must be between 1 and 500; please correct it!</translation>
    </message>
    <message>
        <location filename="../src/typeset/qt/FormulaPicture.cpp"/>
        <source>不认识的图片格式（可用 .png、.bmp、.svg 或 .pdf）：%1</source>
        <translation>Unknown picture format (use .png, .bmp, .svg or .pdf): %1</translation>
    </message>
    <message>
        <location filename="../src/typeset/qt/FormulaPicture.cpp"/>
        <source>公式是空的，没有可以导出的图片</source>
        <translation>The formula is empty; there is no picture to export</translation>
    </message>
    <message>
        <location filename="../src/typeset/qt/FormulaPicture.cpp"/>
        <source>图片太大，无法生成</source>
        <translation>The picture is too large to create</translation>
    </message>
    <message>
        <location filename="../src/typeset/qt/FormulaPicture.cpp"/>
        <source>无法编码图片</source>
        <translation>Cannot encode the picture</translation>
    </message>
    <message>
        <location filename="../src/typeset/qt/FormulaPicture.cpp"/>
        <source>无法生成图片</source>
        <translation>Cannot create the picture</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>字体大小</source>
        <translation>Font Size</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>字体：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>字母变量用斜体</source>
        <translation>Letter variables in italic</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>变量：</source>
        <translation>Variables:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>括号：</source>
        <translation>Brackets:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>条件：</source>
        <translation>Conditions:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>运算符：</source>
        <translation>Operators:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>函数名：</source>
        <translation>Function names:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.cpp"/>
        <source>标号：</source>
        <translation>Labels:</translation>
    </message>
    <message>
        <location filename="../src/typeset/ui/Toutshezhiform.h"/>
        <source>请输入输出的字体大小，不能为空！</source>
        <translation>Please enter the font size; it must not be empty!</translation>
    </message>
</context>
</TS>
