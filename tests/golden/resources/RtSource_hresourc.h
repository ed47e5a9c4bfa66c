#ifndef hresourc_h
#define hresourc_h

//==========================================================================
// HRESOURC.H
// Resource Header file for Tessaline Auto-Generated Block DLL              
// Tessaline Blockwright generated include file.
//===========================================================================


//--------------------------------------------------------------------------
//                       USER PARAMETERS' STRING IDC's                      
//--------------------------------------------------------------------------
#define IDC_STRING_LEVEL                            51
#define IDC_STRING_PATTERN                          52
#define IDC_STRING_SHAPE                            53
#define IDC_STRING_TABLE                            54
#define IDC_STRING_TABLE_PATHNAME                   55

//--------------------------------------------------------------------------
//                        USER PARAMETERS' EDIT IDC's                       
//--------------------------------------------------------------------------
#define IDC_EDIT_LEVEL                              201
#define IDC_EDIT_TABLE                              202
#define IDC_EDIT_TABLE_PATHNAME                     203
#define IDC_EDIT_TABLE_COMPLETENAME                 204

//--------------------------------------------------------------------------
//                  USER PARAMETERS' VARIABLE LIST IDC's                    
//--------------------------------------------------------------------------
#define IDC_VAR_LEVEL                               205
#define IDC_VAR_TABLE                               206
#define IDC_VAR_TABLE_PATHNAME                      207
#define IDC_VAR_TABLE_COMPLETENAME                  208


//--------------------------------------------------------------------------
//                      MATRIX SIZE EDIT IDC's                    
//--------------------------------------------------------------------------
#define IDC_ROWS                                    1105
#define IDC_VAR_ROWS                                1106
#define IDC_COLUMNS                                 1107
#define IDC_VAR_COLUMNS                             1108

//--------------------------------------------------------------------------
//                    USER PARAMETERS' RADIO BUTTON IDC's                   
//--------------------------------------------------------------------------
#define IDC_RADIO_SHAPE                             301
#define IDC_RADIO_SHAPE_SQUARE                      302
#define IDC_RADIO_SHAPE_SINE                        303
#define IDC_RADIO_SHAPE_TRIANGLE                    304
#define IDC_RADIO_SHAPE_SAW                         305
#define IDC_RADIO_SHAPE_PULSE                       306
 
//--------------------------------------------------------------------------
//                     USER PARAMETERS' COMBO BOX IDC's                     
//--------------------------------------------------------------------------
#define IDC_COMBO_SWI                               401 

#define IDC_COMBO_PATTERN                           402
 
//--------------------------------------------------------------------------
//                     USER PARAMETERS' CHECK BOX IDC's                     
//--------------------------------------------------------------------------
 

//--------------------------------------------------------------------------
//                        User Control IDC's
//--------------------------------------------------------------------------
#define IDC_BUTTON1                                 601
#define IDC_RADIO1                                  602
#define IDC_CHECK1                                  603

#define IDD_DIALOG1                                 101

//--------------------------------------------------------------------------
//                     USER PARAMETERS' FILE BROWSE IDC's                   
//--------------------------------------------------------------------------
#define IDBROWSE_TABLE                              604
//--------------------------------------------------------------------------
//                      REAL-TIME DRIVER IDC's 700-799                      
//--------------------------------------------------------------------------
//--------------------------------------------------------------------------
//                             BITMAP IDC's 800-899                         
//--------------------------------------------------------------------------
#define IDB_BITMAP                                  801
#define IDB_SWI                                     802
#define IDB_HWI                                     803
#define IDB_IDL                                     804
#define IDB_PRD                                     805
#define IDB_CLK                                     806

#define IDC_STATIC                                  -1


#endif
