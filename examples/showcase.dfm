object ShowcaseForm: TForm
  Left = 100
  Top = 80
  Caption = 'kestrix showcase'
  ClientHeight = 420
  ClientWidth = 560
  Color = clBtnFace
  Position = poScreenCenter
  object HeaderPanel: TCustomControl
    Left = 0
    Top = 0
    Width = 560
    Height = 32
    Align = alTop
    Color = clNavy
  end
  object ContentPanel: TCustomControl
    Left = 16
    Top = 48
    Width = 528
    Height = 356
    Anchors = [akLeft, akTop, akRight, akBottom]
    Color = clWindow
    TabOrder = 1
    object NumLabFixP: TNumLab
      Left = 8
      Top = 8
      Width = 160
      Height = 28
      Value = 12.345
      LeftText = 'U'
      RightText = 'V'
    end
    object NumLabExp: TNumLab
      Left = 8
      Top = 40
      Width = 160
      Height = 28
      Value = 0.001234
      DisplayType = dtExp
      Precision = 3
      LeftText = 'I'
      RightText = 'A'
      FrameStyle = fsRaised
      ColorLabText = clNavy
      ColorLabBakG = clWhite
    end
    object NumLabHex: TNumLab
      Left = 8
      Top = 72
      Width = 160
      Height = 28
      Value = 48879
      DisplayType = dtHex
      Precision = 4
      LeftText = 'Reg'
      RightText = 'hex'
      FrameStyle = fsSimple
      ColorLabText = clLime
      ColorLabBakG = clBlack
    end
    object NumLabDegMinSec: TNumLab
      Left = 8
      Top = 104
      Width = 160
      Height = 28
      Value = 47.2625
      DisplayType = dtDegMinSec
      Precision = 1
      LeftText = 'Lat'
      RightText = 'N'
      FrameStyle = fsEngraved
    end
    object NumLabEng: TNumLab
      Left = 8
      Top = 136
      Width = 160
      Height = 28
      Value = 4700
      DisplayType = dtEEngNoDP
      Precision = 1
      LeftText = 'R'
      RightText = #937
      ColorScheme = csSystem
    end
    object NumLabDate: TNumLab
      Left = 8
      Top = 168
      Width = 160
      Height = 28
      Value = 45300
      DisplayType = dtDateTime
      LeftText = 'Date'
    end
    object NumLabState: TNumLab
      Left = 8
      Top = 200
      Width = 160
      Height = 28
      DisplayType = dtState
      StateText = 'running'
      Alignment = taLeftJustify
      LeftText = 'Pump'
      FrameStyle = fsEmbossed
    end
    object NumLabDisabled: TNumLab
      Left = 8
      Top = 232
      Width = 160
      Height = 28
      Value = 3.3
      LeftText = 'Off'
      RightText = 'V'
      Enabled = False
    end
    object NumLabComma: TNumLab
      Left = 176
      Top = 8
      Width = 160
      Height = 28
      Value = 3.14159
      Comma = True
      ForcePlusSign = True
      LeftText = 'Pi'
      Alignment = taRightJustify
    end
    object NumLabEmpty: TNumLab
      Left = 176
      Top = 40
      Width = 160
      Height = 28
      Empty = True
      LeftText = 'None'
      FrameStyle = fsNoFrame
      ColorLabBakG = clSilver
    end
    object NumLabOverflow: TNumLab
      Left = 176
      Top = 72
      Width = 160
      Height = 28
      Value = 123456789012
      LeftText = 'Big'
      ColorOutBakG = clCream
    end
    object NumLabInt: TNumLab
      Left = 176
      Top = 104
      Width = 160
      Height = 28
      Value = -7.5
      DisplayType = dtInt
      LeftText = 'Step'
      LeftTextAlignment = taLeftJustify
      RightText = 'of 10'
      RightTextAlignment = taRightJustify
      LeftSpace = 50
      LabelWidth = 50
    end
    object GradFillHoriz: TGradFill
      Left = 344
      Top = 8
      Width = 80
      Height = 80
    end
    object GradFillVert: TGradFill
      Left = 432
      Top = 8
      Width = 80
      Height = 80
      FillType = gtVert
      ColorFirst = clNavy
      ColorLast = clAqua
      FrameStyle = fsLowered
    end
    object GradFillMidHoriz: TGradFill
      Left = 344
      Top = 96
      Width = 80
      Height = 80
      NrColors = 9
      FillType = gtMidBandHoriz
      ColorFirst = clGreen
      ColorLast = clWhite
      GridMode = gmHoriz
      GridColor = clGreen
    end
    object GradFillMidVert: TGradFill
      Left = 432
      Top = 96
      Width = 80
      Height = 80
      NrColors = 7
      FillType = gtMidBandVert
      ColorFirst = clPurple
      ColorLast = clFuchsia
      GridMode = gmBoth
      GridColor = clBlack
    end
    object GradFillFlipped: TGradFill
      Left = 344
      Top = 184
      Width = 80
      Height = 80
      ColorFlipped = True
      FrameStyle = fsRaised
    end
    object GradFillFew: TGradFill
      Left = 432
      Top = 184
      Width = 80
      Height = 80
      NrColors = 4
      FillType = gtVert
      ColorFlipped = True
      ColorFirst = clYellow
      ColorLast = clRed
      FrameStyle = fsSimple
    end
    object NumIO2Level: TNumIO2
      Left = 8
      Top = 300
      Width = 200
      Height = 40
      Text = '250.00'
      InputFormat = itFixPoint
      LeftText = 'Level'
      RightText = 'mm'
      ButVisible = True
      ButIncrem = 10.0
      FreezeBoxVisible = True
      GaugeVisible = True
    end
    object NumIO2Hex: TNumIO2
      Left = 216
      Top = 306
      Width = 160
      Height = 28
      Text = '000004D2'
      InputFormat = itHex
      LeftText = 'Hex'
    end
    object NumIODynamic: TNumIO
      Left = 392
      Top = 310
      Width = 128
      Height = 21
      Text = '$ff'
      RangeHigh = 65535.0
    end
  end
end
